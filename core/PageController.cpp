#include "core/PageController.h"

#include "core/HMLocalization.h"
#include "platform/NotificationCenter.h"

PageController::PageController(WizardContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

QString PageController::text(const QString &key) const
{
    return m_context.localization.localizedStringForKey(key);
}

void PageController::postChangeReminder(const QString &steps)
{
    m_context.notifications.post(Notifications::changeReminder, this, {{Notifications::stepsKey, steps}});
}
