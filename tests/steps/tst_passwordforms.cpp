#include "StepsFixture.h"

#include "steps/DiagResetNVR.h"
#include "steps/Setup_ConfirmPasswordView.h"
#include "steps/Setup_SetPasswordView.h"

#include <QTest>

// The checks of both password forms, in their order, with their messages.
class PasswordFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void setForm_data();
    void setForm();
    void setFormChecksOnLeavingThePasswordField();
    void currentPassword_data();
    void currentPassword();
    void newPassword_data();
    void newPassword();
    void typingClearsTheConfirmFormMessages();
    void resetDialogWarnsAfterARefusedAccount();
};

namespace {
const QString kInvalid = QStringLiteral("Invalid password.");
const QString kEmpty = QStringLiteral("Enter the password twice.");
const QString kEmptyOne = QStringLiteral("Enter the password.");
const QString kMismatch = QStringLiteral("The passwords differ.");
const QString kCharacters = QStringLiteral("Letters and digits only.");
const QString kSixTo31 = QStringLiteral("Use 6 to 31 characters.");
const QString kTwoTo31 = QStringLiteral("Use 2 to 31 characters.");
const QString kEuro = QStringLiteral("\u20ac"); // three UTF-8 bytes
} // namespace

void PasswordFormsTest::setForm_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<int>("marked");
    const int pw = int(Setup_SetPasswordView::Field::Password);
    const int conf = int(Setup_SetPasswordView::Field::Confirmation);
    QTest::newRow("five characters") << "abc12"
                                     << "abc12" << kSixTo31 << pw;
    QTest::newRow("number sign") << "abc#123"
                                 << "abc#123" << kCharacters << pw;
    QTest::newRow("underscore") << "abc_123"
                                << "abc_123" << kCharacters << pw;
    QTest::newRow("space") << "abc 123"
                           << "abc 123" << kCharacters << pw;
    QTest::newRow("short with a symbol: the symbol first") << "ab#"
                                                           << "ab#" << kCharacters << pw;
    QTest::newRow("32 characters") << QString(32, QLatin1Char('a')) << QString(32, QLatin1Char('a')) << kSixTo31 << pw;
    QTest::newRow("empty password asks for it") << ""
                                                << "" << kEmpty << pw;
    QTest::newRow("empty confirmation") << "abcdef"
                                        << "" << kEmpty << pw;
    QTest::newRow("different confirmation") << "abcdef"
                                            << "abcdeg" << kMismatch << conf;
    QTest::newRow("letters and digits") << "abc123"
                                        << "abc123"
                                        << "" << 0;
    QTest::newRow("31 characters") << QString(31, QLatin1Char('z')) << QString(31, QLatin1Char('z')) << "" << 0;
    QTest::newRow("accented letters") << "\u00e9t\u00e9\u00e9t\u00e9"
                                      << "\u00e9t\u00e9\u00e9t\u00e9"
                                      << "" << 0;
    QTest::newRow("48 UTF-8 bytes fit") << kEuro.repeated(16) << kEuro.repeated(16) << "" << 0;
    QTest::newRow("51 UTF-8 bytes do not") << kEuro.repeated(17) << kEuro.repeated(17) << kInvalid << pw;
}

void PasswordFormsTest::setForm()
{
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(int, marked);
    StepsFixture f;
    Setup_SetPasswordView form(*f.context);
    form.setPasswordText(password);
    form.setConfirmText(confirm);
    QCOMPARE(form.checkPassword(), message.isEmpty());
    QCOMPARE(form.lbMessage(), message.isEmpty() ? QString() : QStringLiteral("Error: ") + message);
    QCOMPARE(int(form.markedField()), marked);
    if (message.isEmpty())
        QCOMPARE(form.getPassword(), password);
}

void PasswordFormsTest::setFormChecksOnLeavingThePasswordField()
{
    StepsFixture f;
    Setup_SetPasswordView form(*f.context);
    form.passwordFieldDidEndEditing();
    QVERIFY(form.lbMessage().isEmpty());
    form.setPasswordText(QStringLiteral("abc"));
    form.passwordFieldDidEndEditing();
    QCOMPARE(form.lbMessage(), QStringLiteral("Error: ") + kSixTo31);
    QCOMPARE(form.failure(), kSixTo31);
    // Only the password's own checks run: an empty confirmation is not yet an error.
    form.clear();
    form.setPasswordText(QStringLiteral("abcdef"));
    form.passwordFieldDidEndEditing();
    QVERIFY(form.lbMessage().isEmpty());
}

void PasswordFormsTest::currentPassword_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::newRow("empty") << "" << kEmptyOne;
    QTest::newRow("one character") << "a" << kTwoTo31;
    QTest::newRow("a symbol alone: the length first") << "#" << kTwoTo31;
    QTest::newRow("two characters pass here") << "ab"
                                              << "";
    QTest::newRow("space") << "a b" << kCharacters;
    QTest::newRow("number sign") << "ab#" << kCharacters;
    QTest::newRow("accented") << "\u00e4\u00f6"
                              << "";
    QTest::newRow("too long for the LAN slot") << kEuro.repeated(17) << kInvalid;
}

void PasswordFormsTest::currentPassword()
{
    QFETCH(QString, password);
    QFETCH(QString, message);
    StepsFixture f;
    Setup_ConfirmPasswordView form(*f.context);
    form.setPasswordText(password);
    QCOMPARE(form.checkPassword(), message.isEmpty());
    QCOMPARE(form.lbMessage(), message.isEmpty() ? QString() : QStringLiteral("Error: ") + message);
    QCOMPARE(form.failure(), message);
    QCOMPARE(form.passwordFieldMarked(), !message.isEmpty());
}

void PasswordFormsTest::newPassword_data()
{
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty new") << ""
                               << "ab" << kEmpty;
    QTest::newRow("empty confirmation") << "ab"
                                        << "" << kEmpty;
    QTest::newRow("one character") << "a"
                                   << "a" << kTwoTo31;
    QTest::newRow("space") << "a b"
                           << "a b" << kCharacters;
    QTest::newRow("underscore") << "a_b"
                                << "a_b" << kCharacters;
    QTest::newRow("different") << "ab"
                               << "ac" << kMismatch;
    QTest::newRow("fine") << "ab"
                          << "ab"
                          << "";
}

void PasswordFormsTest::newPassword()
{
    QFETCH(QString, newPassword);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    StepsFixture f;
    Setup_ConfirmPasswordView form(*f.context);
    form.setChangePasswordChecked(true);
    form.setNewPasswordText(newPassword);
    form.setConfirmText(confirm);
    QCOMPARE(form.checkNewPassword(), message.isEmpty());
    // New-password messages stand plainly under their fields.
    QCOMPARE(form.lbNewMessage(), message);
    QCOMPARE(form.failure(), message);
    QVERIFY(form.lbMessage().isEmpty());
}

void PasswordFormsTest::typingClearsTheConfirmFormMessages()
{
    StepsFixture f;
    Setup_ConfirmPasswordView form(*f.context);
    form.setChangePasswordChecked(true);
    QVERIFY(!form.checkPassword());
    QVERIFY(!form.checkNewPassword());
    QVERIFY(!form.lbMessage().isEmpty() && !form.lbNewMessage().isEmpty());
    form.setConfirmText(QStringLiteral("x"));
    QVERIFY(form.lbMessage().isEmpty() && form.lbNewMessage().isEmpty());
    // Showing the form again unticks the change box and hides the new fields.
    form.clear();
    QVERIFY(!form.getChangePasswordChecked());
    QVERIFY(!form.newPasswordFieldsVisible());
}

namespace {
struct ResetAnswers : DiagResetNVRDelegate
{
    QStringList calls;
    void performResetReadyToCheckUser(const QString &user, const QString &password) override
    {
        calls << QStringLiteral("check %1 %2").arg(user, password);
    }
    void cancelResetNVR() override { calls << QStringLiteral("cancel"); }
};
} // namespace

void PasswordFormsTest::resetDialogWarnsAfterARefusedAccount()
{
    StepsFixture f;
    ResetAnswers answers;
    DiagResetNVR first(*f.context, answers, true);
    QVERIFY(first.lbWarning().isEmpty());
    first.setAccount(QStringLiteral("admin"));
    first.setPassword(QStringLiteral("pw"));
    first.btSvae();
    QVERIFY(first.isModalStopped());
    DiagResetNVR again(*f.context, answers, false);
    QCOMPARE(again.lbWarning(), kInvalid);
    // The window's close control cancels like the Cancel button, once.
    again.windowWillClose();
    again.btCancel();
    QCOMPARE(answers.calls, QStringList({"check admin pw", "cancel"}));
}

QTEST_GUILESS_MAIN(PasswordFormsTest)
#include "tst_passwordforms.moc"
