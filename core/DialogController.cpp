#include "core/DialogController.h"

#include "core/HMLocalization.h"
#include "platform/NotificationCenter.h"

DialogController::DialogController(WizardContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

void DialogController::windowDidLoad()
{
    postGreyViewCovered(QStringLiteral("YES"));
}

void DialogController::windowWillClose()
{
    dismiss();
}

void DialogController::dismiss()
{
    postGreyViewCovered(QStringLiteral("NO"));
    stopModal();
}

void DialogController::stopModal()
{
    if (m_stopped)
        return;
    m_stopped = true;
    emit modalStopped();
}

QString DialogController::text(const QString &key) const
{
    return m_context.localization.localizedStringForKey(key);
}

void DialogController::postGreyViewCovered(const QString &value)
{
    m_context.notifications.post(Notifications::greyViewCovered, this, {{Notifications::greyViewCovered, value}});
}
