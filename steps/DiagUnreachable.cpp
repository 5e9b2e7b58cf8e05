#include "steps/DiagUnreachable.h"

DiagUnreachable::DiagUnreachable(WizardContext &context, const QString &diagnosis, QObject *parent)
    : DialogController(context, parent)
    , m_diagnosis(diagnosis)
{
}

void DiagUnreachable::btGoOn()
{
    if (isModalStopped())
        return;
    m_wentOn = true;
    dismiss();
}

void DiagUnreachable::btCancel()
{
    if (!isModalStopped())
        dismiss();
}
