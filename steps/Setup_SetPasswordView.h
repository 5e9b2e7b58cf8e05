#pragma once

#include "steps/StepForm.h"

// The form for a recorder in its factory state: a new password and its
// confirmation.
class Setup_SetPasswordView : public StepForm
{
    Q_OBJECT
public:
    enum class Field { None, Password, Confirmation };

    explicit Setup_SetPasswordView(WizardContext &context, QObject *parent = nullptr);

    // On showing: empty fields, no message.
    void clear();

    // The user's typing (edPassword, edConfirmPassword).
    void setPasswordText(const QString &text);
    void setConfirmText(const QString &text);
    // Leaving the password field (tag 5): the character and length checks at once.
    void passwordFieldDidEndEditing();
    // Return in either field.
    void returnPressed() { emit nextRequested(); }

    // All checks in order; shows the first failure and returns false.
    bool checkPassword();
    QString getPassword() const { return m_password; }

    // "<APP_Error> <message>", marking the confirmation for a mismatch and the
    // password field otherwise.
    void showMessage(const QString &message);
    // The message shown, without "<APP_Error>".
    QString failure() const { return m_failure; }

    QString edPassword() const { return m_password; }
    QString edConfirmPassword() const { return m_confirm; }
    QString lbMessage() const;
    Field markedField() const { return m_marked; }
    QString lbText() const;
    QString lbPassword() const;
    QString lbConfirmPassword() const;

signals:
    void nextRequested();

private:
    // Checks 1 to 3; the message of the first failure, or empty.
    QString passwordCharactersAndLength() const;

    QString m_password;
    QString m_confirm;
    QString m_failure;
    Field m_marked = Field::None;
};
