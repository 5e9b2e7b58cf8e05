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
        storeCredentials(check->user(), password);
        break;
    case CameraReply::Refused:
        showMessage(QStringLiteral("SetupCam PwdWrong"));
        break;
    case CameraReply::NetworkError:
        Log::line(QStringLiteral("DiagVerifiyPasswordPanel:: code != 5 , newtwork error"));
        showNoAnswerMessage();
        break;
    case CameraReply::NoAnswer:
        showNoAnswerMessage();
        break;
    }
    close(true);
}
