#pragma once

#include "core/DialogController.h"

// What the reset dialog hands back to the password step.
class DiagResetNVRDelegate
{
public:
    virtual ~DiagResetNVRDelegate() = default;
    virtual void performResetReadyToCheckUser(const QString &user, const QString &password)
    {
        Q_UNUSED(user);
        Q_UNUSED(password);
    }
    virtual void cancelResetNVR() { }
};

// Asks for the account that authorises a factory reset of the recorder.
class DiagResetNVR : public DialogController
{
    Q_OBJECT
public:
    DiagResetNVR(
        WizardContext &context, DiagResetNVRDelegate &delegate, bool correctPassword, QObject *parent = nullptr);

    // The window's own close control cancels, so the step is never left waiting.
    void windowWillClose() override { btCancel(); }

    void setAccount(const QString &text) { edAccount = text; }
    void setPassword(const QString &text) { edPassword = text; }
    QString account() const { return edAccount; }
    QString password() const { return edPassword; }

    // OK and Cancel.
    void btSvae();
    void btCancel();

    // The heading says what the account is asked for.
    QString lbTitle() const { return text(QStringLiteral("Install_Diag_Text7")); }
    QString lbAccount() const;
    QString lbPassword() const;
    QString lbWarning() const;
    QString btOk() const;
    QString btCancelTitle() const;

private:
    void close();

    DiagResetNVRDelegate &theDelegate;
    bool correctPassword;
    QString edAccount;
    QString edPassword;
};
