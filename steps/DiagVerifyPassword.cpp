#include "steps/DiagVerifyPassword.h"

#include "platform/Log.h"

void DiagVerifyPassword::onSaveClicked()
{
    if (isModalStopped() || !inputsEnabled())
        return;
    if (edPwd.isEmpty()) {
        showMessage(QStringLiteral("SetupCam NoVerifyPwd"));
        return;
    }
    setInputsEnabled(false);
    const QString password = edPwd;
    check = std::make_unique<CameraPassword>();
    check->check(*camera(), password, [this, password](CameraReply reply) { onChecked(reply, password); });
}

void DiagVerifyPassword::onChecked(CameraReply reply, const QString &password)
{
    switch (reply) {
    case CameraReply::Accepted:
        storeCredentials(CameraPassword::userAfter(*camera(), false), password);
        break;
    case CameraReply::Refused:
        showMessage(QStringLiteral("SetupSetPwd Msg1"));
        break;
    case CameraReply::NetworkError:
        Log::line(QStringLiteral("DiagVerifiyPasswordPanel:: code != 5 , newtwork error"));
        showNetworkMessage();
        break;
    case CameraReply::NoAnswer:
        showNetworkMessage();
        break;
    }
    close(true);
}
