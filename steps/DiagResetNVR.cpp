#include "steps/DiagResetNVR.h"

#include "steps/PasswordMessages.h"

DiagResetNVR::DiagResetNVR(
    WizardContext &context, DiagResetNVRDelegate &delegate, bool correctPassword, QObject *parent)
    : DialogController(context, parent)
    , theDelegate(delegate)
    , correctPassword(correctPassword)
{
}

void DiagResetNVR::btSvae()
{
    if (isModalStopped())
        return;
    theDelegate.performResetReadyToCheckUser(edAccount, edPassword);
    close();
}

void DiagResetNVR::btCancel()
{
    if (isModalStopped())
        return;
    theDelegate.cancelResetNVR();
    close();
}

void DiagResetNVR::close()
{
    dismiss();
}

QString DiagResetNVR::lbAccount() const
{
    return text(QStringLiteral("SetupSetPwd_Admin"));
}

QString DiagResetNVR::lbPassword() const
{
    return text(QStringLiteral("SetupSetPwd_Pwd"));
}

QString DiagResetNVR::lbWarning() const
{
    return correctPassword ? QString() : text(PasswordMessages::kInvalid);
}

QString DiagResetNVR::btOk() const
{
    return text(QStringLiteral("Button Ok"));
}

QString DiagResetNVR::btCancelTitle() const
{
    return text(QStringLiteral("APP_Cancel"));
}
