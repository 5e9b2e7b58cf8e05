#include "steps/DiagHddFormat.h"

DiagHddFormat::DiagHddFormat(WizardContext &context, DiagHddFormatDelegate &delegate, QObject *parent)
    : DialogController(context, parent)
    , theDelegate(delegate)
{
}

void DiagHddFormat::btOk()
{
    if (isModalStopped())
        return;
    close();
    theDelegate.toFormat();
}

void DiagHddFormat::btCancel()
{
    if (isModalStopped())
        return;
    close();
    theDelegate.notToFormat();
}

void DiagHddFormat::close()
{
    postGreyViewCovered(QStringLiteral("NO"));
    stopModal();
}
