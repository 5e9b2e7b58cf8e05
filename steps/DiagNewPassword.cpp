#include "steps/DiagNewPassword.h"

#include "platform/Log.h"
#include "webconfig/CameraEndpoints.h"

namespace {

constexpr int kMinLength = 6;
constexpr int kMaxLength = 30;

bool allowed(const QString &password)
{
    if (password.size() < kMinLength || password.size() > kMaxLength)
        return false;
    for (const QChar c : {QLatin1Char('/'), QLatin1Char(':'), QLatin1Char('&'), QLatin1Char(' ')}) {
        if (password.contains(c))
            return false;
    }
    return true;
}

} // namespace

QString DiagNewPassword::validationMessage(const QString &newPassword, const QString &repeat)
{
    if (newPassword.isEmpty() || repeat.isEmpty())
        return QStringLiteral("SetupCam NoCreatePwd");
    if (!allowed(newPassword))
        return QStringLiteral("SetupCam PwdRule");
    if (newPassword != repeat)
        return QStringLiteral("SetupSetPwd Msg2");
    return {};
}

void DiagNewPassword::onSaveClicked()
{
    if (isModalStopped() || !inputsEnabled())
        return;
    const QString message = validationMessage(edNewPwd, edRePwd);
    if (!message.isEmpty()) {
        showMessage(message);
        return;
    }
    setInputsEnabled(false);
    const QString password = edNewPwd;
    change = std::make_unique<CameraPassword>();
    change->change(*camera(), password, [this, password](CameraReply reply) { onChanged(reply, password); });
}

void DiagNewPassword::onChanged(CameraReply reply, const QString &password)
{
    const bool zebor = CameraEndpoints::isZebor(*camera());
    switch (reply) {
    case CameraReply::Accepted:
        if (zebor)
            Log::line(QStringLiteral("Note_NewPasswordPanel::OP_USER_CHANGE rest = 0, ZEBOR"));
        storeCredentials(change->user(), password);
        close(true);
        break;
    case CameraReply::Refused:
        if (zebor)
            Log::line(QStringLiteral("DiagNewPasswordPanel::OP_USER_CHANGE > rest != 0"));
        // It has a password after all, and not this one: the list asks for it next time.
        if (change->hasOtherPassword())
            CameraPassword::forgetPassword(*camera());
        showMessage(QStringLiteral("SetupCam PwdNotSet"));
        close(true);
        break;
    case CameraReply::NetworkError:
    case CameraReply::NoAnswer:
        if (!zebor) {
            showNoAnswerMessage();
            close(true);
            break;
        }
        Log::line(QStringLiteral("Note_NewPasswordPanel:: code != 5 , newtwork error"));
        showNoAnswerMessage();
        // The fields stay disabled, but the user can leave.
        enableCancel();
        break;
    }
}
