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
    dismiss();
    theDelegate.toRescan();
}
