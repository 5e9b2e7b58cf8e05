#include "steps/DiagHddConfirm.h"

DiagHddConfirm::DiagHddConfirm(WizardContext &context, DiagHddConfirmDelegate &delegate, QObject *parent)
    : DialogController(context, parent)
    , theDelegate(delegate)
{
}

void DiagHddConfirm::btOk()
{
    if (isModalStopped())
        return;
    postGreyViewCovered(QStringLiteral("NO"));
    stopModal();
    theDelegate.toRescan();
}
