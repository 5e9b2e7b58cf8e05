#include "app/DiagExit.h"

DiagExit::DiagExit(WizardContext &context, QStringList stepsDone, QObject *parent)
    : DialogController(context, parent)
    , m_stepsDone(std::move(stepsDone))
{
}

void DiagExit::btLeave()
{
    m_leaving = true;
    dismiss();
}
