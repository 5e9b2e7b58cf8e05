#pragma once

#include "steps/CameraPasswordDialog.h"
#include "webconfig/CameraPassword.h"

#include <memory>

// Gives a camera that has no password a new one, typed twice; the camera's
// record keeps it once the camera has taken it, and then counts as picked.
class DiagNewPassword : public CameraPasswordDialog
{
    Q_OBJECT
public:
    using CameraPasswordDialog::CameraPasswordDialog;

    void setNewPasswordText(const QString &text) { edNewPwd = text; }
    void setRepeatText(const QString &text) { edRePwd = text; }
    const QString &newPasswordText() const { return edNewPwd; }
    const QString &repeatText() const { return edRePwd; }

    // Save, and the Return key in either field.
    void onSaveClicked();
    void onCaneclClicked() { cancel(); }

    QString lbTitle() const { return text(QStringLiteral("SetupCam_Diag_NewPassword")); }
    QString lbNewPwd() const { return text(QStringLiteral("APP_NewPwd")); }
    QString lbRePwd() const { return text(QStringLiteral("APP_ConfPwd")); }

    // The message key the entries get before anything is sent; empty when
    // they may be sent.
    static QString validationMessage(const QString &newPassword, const QString &repeat);

private:
    void onChanged(CameraReply reply, const QString &password);

    std::unique_ptr<CameraPassword> change;
    QString edNewPwd;
    QString edRePwd;
};
