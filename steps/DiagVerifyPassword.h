#pragma once

#include "steps/CameraPasswordDialog.h"
#include "webconfig/CameraPassword.h"

#include <memory>

// Asks for the password of a camera whose password is unknown and checks it
// with the camera; a password the camera takes is kept in its record, which
// then counts as picked.
class DiagVerifyPassword : public CameraPasswordDialog
{
    Q_OBJECT
public:
    using CameraPasswordDialog::CameraPasswordDialog;

    void setPasswordText(const QString &text) { edPwd = text; }
    const QString &passwordText() const { return edPwd; }

    // Save, and the Return key in the field.
    void onSaveClicked();
    void onCancelClicked() { cancel(); }

    QString lbTitle() const { return text(QStringLiteral("SetupCam_Diag_VerifyPassword")); }
    QString lbPwd() const { return text(QStringLiteral("APP_Password:")); }

private:
    void onChecked(CameraReply reply, const QString &password);

    std::unique_ptr<CameraPassword> check;
    QString edPwd;
};
