#include "core/DialogController.h"

#include "core/HMLocalization.h"

DialogController::DialogController(WizardContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

void DialogController::windowWillClose()
{
    dismiss();
}

void DialogController::handOn()
{
    m_handsOn = true;
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
