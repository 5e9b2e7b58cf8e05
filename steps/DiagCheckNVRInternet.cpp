#include "steps/DiagCheckNVRInternet.h"

#include "core/TextFormat.h"
#include "platform/ModelName.h"

DiagCheckNVRInternet::DiagCheckNVRInternet(
    WizardContext &context, DiagCheckNVRInternetDelegate *theDelegate, QObject *parent)
    : DialogController(context, parent)
    , theDelegate(theDelegate)
{
}

QString DiagCheckNVRInternet::lbTitle() const
{
    return fillFormat(QStringLiteral("%@ ?"), {text(QStringLiteral("SetupSearch_Text3"))});
}

QString DiagCheckNVRInternet::lbText() const
{
    return fillFormat(text(QStringLiteral("Install_Diag_Text12")), {ModelName::kNvr});
}

QString DiagCheckNVRInternet::btOKTitle() const
{
    return text(QStringLiteral("Button Ok"));
}

QString DiagCheckNVRInternet::btCancelTitle() const
{
    return text(QStringLiteral("APP_Cancel"));
}

void DiagCheckNVRInternet::btOK()
{
    close();
    if (theDelegate)
        theDelegate->toRetry();
}

void DiagCheckNVRInternet::btCancel()
{
    close();
    if (theDelegate)
        theDelegate->toSkip();
}

void DiagCheckNVRInternet::close()
{
    dismiss();
}
