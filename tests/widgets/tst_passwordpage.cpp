// The password step's widgets over a step that is never entered (entering it
// asks the recorder over the LAN): what the user types reaches the forms, and
// the forms' messages, marks and fields show on screen.
#include "WidgetsFixture.h"
#include "steps/PasswordMessages.h"
#include "steps/Setup_PasswordView.h"
#include "widgets/PasswordForms.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

class PasswordPageTest : public QObject
{
    Q_OBJECT

private:
    WidgetsFixture f;
    std::unique_ptr<Setup_PasswordView> step;

    QString text(const QString &key) const { return f.context.localization.localizedStringForKey(key); }
    template<typename T> static T *find(QWidget &in, const char *name)
    {
        return in.findChild<T *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() { HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN")); }
    void init() { step = std::make_unique<Setup_PasswordView>(f.context); }

    void setFormShowsTheFirstFailure()
    {
        std::unique_ptr<QWidget> page(f.factory.makePage(*step, nullptr));
        QVERIFY(page);
        page->show();
        // Before the recorder answered: the set form, Next off, no Reset.
        auto *content = find<QStackedWidget>(*page, "boxContent");
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("setPasswordView"));
        QVERIFY(!find<QPushButton>(*page, "btNext")->isEnabled());
        QVERIFY(!find<QPushButton>(*page, "btReset")->isVisible());

        QWidget &form = *content->currentWidget(); // both forms name their fields alike
        auto *password = find<QLineEdit>(form, "edPassword");
        auto *message = find<QLabel>(form, "lbMessage");
        QVERIFY(!message->isVisible());
        QTest::keyClicks(password, QStringLiteral("ab_12"));
        QCOMPARE(step->setForm().edPassword(), QStringLiteral("ab_12"));
        emit password->editingFinished(); // leaving the field checks it at once
        QVERIFY(message->isVisible());
        // The rule it breaks, in the shipped English.
        QCOMPARE(message->text(), QStringLiteral("Error: Use only letters and digits, without spaces or symbols."));
        QVERIFY(password->property("marked").toBool());

        // A mismatch marks the confirmation instead.
        password->clear();
        QTest::keyClicks(password, QStringLiteral("secret1"));
        QTest::keyClicks(find<QLineEdit>(form, "edConfirmPassword"), QStringLiteral("secret2"));
        QVERIFY(!step->setForm().checkPassword());
        QCOMPARE(message->text(), PasswordMessages::asError(f.context, text(PasswordMessages::kMismatch)));
        QVERIFY(!password->property("marked").toBool());
        QVERIFY(find<QLineEdit>(form, "edConfirmPassword")->property("marked").toBool());
    }

    void confirmFormFollowsTheChangeBox()
    {
        ConfirmPasswordForm form(step->confirmForm());
        form.show();
        auto *newPassword = find<QLineEdit>(form, "edNewPassword");
        QVERIFY(!newPassword->isVisible());
        find<QCheckBox>(form, "cbChangePassword")->click();
        QVERIFY(step->confirmForm().getChangePasswordChecked());
        QVERIFY(newPassword->isVisible());

        QTest::keyClicks(newPassword, QStringLiteral("a"));
        QVERIFY(!step->confirmForm().checkNewPassword());
        auto *newMessage = find<QLabel>(form, "lbNewMessage");
        QVERIFY(newMessage->isVisible());
        // Typing anywhere clears the messages.
        QTest::keyClicks(find<QLineEdit>(form, "edPassword"), QStringLiteral("x"));
        QVERIFY(!newMessage->isVisible());
        QCOMPARE(step->confirmForm().edPassword(), QStringLiteral("x"));

        step->confirmForm().setInputsEnabled(false);
        QVERIFY(!newPassword->isEnabled());
        QVERIFY(!find<QPushButton>(form, "btSearchCamera")->isEnabled());
    }
};

QTEST_MAIN(PasswordPageTest)
#include "tst_passwordpage.moc"
