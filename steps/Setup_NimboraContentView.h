#pragma once

#include "steps/StepForm.h"

// What the cloud form asks of its step.
class Setup_NimboraContentViewDelegate
{
public:
    virtual ~Setup_NimboraContentViewDelegate() = default;
    virtual void enableNext(bool enabled) { Q_UNUSED(enabled); }
    // The terms check box: Next follows its state.
    virtual void enableNextButton(bool checked) { Q_UNUSED(checked); }
};

// The cloud account form: sign in, create an account or skip, the fields of
// each choice, their checks and the error display with its markers.
class Setup_NimboraContentView : public StepForm
{
    Q_OBJECT
public:
    enum Option { AlreadyHave = 0, CreateOne = 1, Pass = 2 };

    explicit Setup_NimboraContentView(WizardContext &context, QObject *parent = nullptr);

    void setDelegate(Setup_NimboraContentViewDelegate *delegate) { theDelegate = delegate; }

    // The user's actions.
    void onSelectorChange(int tag);
    void setMail(const QString &text);
    void setPassword(const QString &text);
    void setRePassword(const QString &text);
    void setFirstName(const QString &text);
    void setLastName(const QString &text);
    void btCheckTerms(bool checked);
    // Opens the terms of use (the licence dialog) over the window.
    void btShowEulaClicked();

    // Empties the five text fields (leaving the step).
    void clearFields();

    // The checks of the chosen option, in their order; shows the first failure.
    bool chkAccount();
    int getSelectedIndex() const { return selectedButtonTag; }
    QString getMail() const { return edMail; }
    QString getPassword() const { return edPassword; }
    QString getverifyPassword() const { return edRePassword; }
    QString getFirstName() const { return edFirstName; }
    QString getLastName() const { return edLastName; }

    // Marks the fields the text speaks of and shows it below them.
    void showErrorMessage(const QString &message);

    // The rules (the last three are true when the text breaks them).
    static bool checkValidMail(const QString &mail);
    static bool checkValidPassword(const QString &password);
    static bool checkSpaces(const QString &text);
    static bool checkSpecialCharacters(const QString &text);
    static bool checkPasswordLength(const QString &text);

    bool optionOn(int tag) const { return selectedButtonTag == tag; }
    // content1: e-mail and password; content2: the sign-up fields and the terms.
    bool content1Visible() const { return selectedButtonTag != Pass; }
    bool content2Visible() const { return selectedButtonTag == CreateOne; }
    bool termsChecked() const { return btCheck; }
    bool mailMarked() const { return mailRecla; }
    bool passwordMarked() const { return passwordRecla; }
    bool errorVisible() const { return m_errorVisible; }
    QString lbErrorMsg() const { return m_errorMessage; }

    QString lbText() const { return text(QStringLiteral("SetupNimbora_Text")); }
    QString lbAlreadyHave() const { return text(QStringLiteral("SetupNimbora_Account Yes")); }
    QString lbCreateOne() const { return text(QStringLiteral("SetupNimbora_Account No")); }
    QString lbPass() const { return text(QStringLiteral("SetupNimbora_Account Skip")); }
    QString lbMail() const { return text(QStringLiteral("E-mail:")); }
    QString lbPassword() const { return text(QStringLiteral("SetupSetPwd_Pwd")); }
    QString lbRePassword() const { return text(QStringLiteral("APP_ConfPwd")); }
    QString lbFirstName() const { return text(QStringLiteral("First Name:")); }
    QString lbLastName() const { return text(QStringLiteral("Last Name:")); }
    QString btShowEulaTitle() const { return text(QStringLiteral("SetupNimbora_Account Terms")); }

private:
    void hideError();
    void setField(QString &field, const QString &text);
    bool fail(const QString &key);

    Setup_NimboraContentViewDelegate *theDelegate = nullptr;
    int selectedButtonTag = AlreadyHave;
    QString edMail;
    QString edPassword;
    QString edRePassword;
    QString edFirstName;
    QString edLastName;
    bool btCheck = false;
    bool mailRecla = false;
    bool passwordRecla = false;
    bool m_errorVisible = false;
    QString m_errorMessage;
};
