#pragma once

#include "steps/StepForm.h"

// The form for a recorder that already has a password: the current one, and
// optionally a new one with its confirmation.
class Setup_ConfirmPasswordView : public StepForm
{
    Q_OBJECT
public:
    explicit Setup_ConfirmPasswordView(WizardContext &context, QObject *parent = nullptr);

    // On showing: empty fields, no messages, change box unticked.
    void clear();

    // The user's typing; any of it clears the messages.
    void setPasswordText(const QString &text);
    void setNewPasswordText(const QString &text);
    void setConfirmText(const QString &text);
    // cbChangePassword: shows or hides the new-password fields.
    void setChangePasswordChecked(bool checked);
    void returnPressed() { emit nextRequested(); }
    // The camera button, the forgotten-password link, the reset note.
    void onSearchCameraClicked() { emit gotoSearchCamera(); }
    void onForgotPasswordClicked() { emit forgotPassword(); }
    void onResetNoteClicked() { emit resetNote(); }

    bool checkPassword();
    bool checkNewPassword();
    QString getPassword() const { return m_password; }
    QString getNewPassword() const { return m_newPassword; }
    bool getChangePasswordChecked() const { return m_changePassword; }
    // A message about the current password, "<APP_Error> <text>".
    void showCheckPasswordMsg(const QString &message);

    QString edPassword() const { return m_password; }
    QString edNewPassword() const { return m_newPassword; }
    QString edConfirmPassword() const { return m_confirm; }
    bool newPasswordFieldsVisible() const { return m_changePassword; }
    QString lbMessage() const;
    QString lbNewMessage() const { return m_newMessage; }
    bool passwordFieldMarked() const { return !m_failure.isEmpty(); }
    // The message shown, without "<APP_Error>".
    QString failure() const { return m_failure.isEmpty() ? m_newMessage : m_failure; }

    QString lbText() const;
    QString lbPassword() const;
    QString lbNewPassword() const;
    QString lbConfirmPassword() const;
    QString cbChangePasswordTitle() const;
    QString btSearchCamera() const;
    QString btForgotPassword() const;
    QString btResetNote() const;

signals:
    void nextRequested();
    void gotoSearchCamera();
    void forgotPassword();
    void resetNote();

private:
    void clearMessages();
    void showNewPasswordMsg(const QString &message);

    QString m_password;
    QString m_newPassword;
    QString m_confirm;
    QString m_failure;
    QString m_newMessage;
    bool m_changePassword = false;
};
