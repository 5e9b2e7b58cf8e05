// The cloud account form without a recorder: the e-mail and password rules at
// their edges, the checks of each option in their order, the options and the
// terms box driving Next, and which fields an error marks.
#include "StepsFixture.h"

#include "steps/Setup_NimboraContentView.h"

#include <QTest>

namespace {

// Texts that name no field, so only the rule for each key marks one.
const QString kSigninInfo = QStringLiteral("Check your sign-in.");
const QString kSignupInfo = QStringLiteral("Fill in everything.");
const QString kInvalid = QStringLiteral("Not allowed.");
const QString kDiffer = QStringLiteral("They differ.");
const QString kBadMail = QStringLiteral("Not an address.");

struct Step : Setup_NimboraContentViewDelegate
{
    QList<bool> next;
    void enableNext(bool enabled) override { next << enabled; }
    void enableNextButton(bool checked) override { next << checked; }
};

} // namespace

class NimboraFormTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StepsFixture> f;
    std::unique_ptr<Setup_NimboraContentView> form;
    Step step;

    void fill(
        const QString &mail, const QString &password, const QString &again, const QString &first, const QString &last)
    {
        form->setMail(mail);
        form->setPassword(password);
        form->setRePassword(again);
        form->setFirstName(first);
        form->setLastName(last);
    }

private slots:
    void init()
    {
        f = std::make_unique<StepsFixture>(StepsFixture::Entries {{"SetupNimbora Signin Info", kSigninInfo},
            {"SetupNimbora sign up Info", kSignupInfo}, {"SetupSetPwd Msg1", kInvalid}, {"SetupSetPwd Msg2", kDiffer},
            {"SetupSetPwd Msg3", kBadMail}});
        form = std::make_unique<Setup_NimboraContentView>(*f->context);
        form->setDelegate(&step);
        step.next.clear();
    }

    void mailRule_data()
    {
        QTest::addColumn<QString>("mail");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "a.b@example.com" << true;
        QTest::newRow("letter case ignored") << "Ana.B+Cloud@Example.COM" << true;
        QTest::newRow("symbols in the name") << "o'hara{x}|y~z^_`@ex-ample.io" << true;
        QTest::newRow("quoted name") << "\"quoted.name!\"@example.com" << true;
        QTest::newRow("blank in a quoted name") << "\"two words\"@example.com" << false;
        QTest::newRow("address literal") << "x@[1.2.3.4]" << true;
        QTest::newRow("short domain") << "a@b.c" << true;
        QTest::newRow("no domain") << "bad@" << false;
        QTest::newRow("domain without dot") << "a@localhost" << false;
        QTest::newRow("trailing dot") << "a@example.com." << false;
        QTest::newRow("two dots") << "a..b@example.com" << false;
        QTest::newRow("leading dot") << ".a@example.com" << false;
        QTest::newRow("hyphen first in domain") << "a@-b.com" << false;
        QTest::newRow("blank") << "a b@example.com" << false;
        QTest::newRow("trailing blank") << "a@example.com " << false;
        QTest::newRow("two at signs") << "a@b@example.com" << false;
        QTest::newRow("address literal past 255") << "x@[256.1.1.1]" << false;
        QTest::newRow("non-ASCII") << "\u00fc@example.com" << false;
        QTest::newRow("empty") << "" << false;
    }
    void mailRule()
    {
        QFETCH(QString, mail);
        QFETCH(bool, valid);
        QCOMPARE(Setup_NimboraContentView::checkValidMail(mail), valid);
    }

    void passwordRule_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("spaces");
        QTest::addColumn<bool>("special");
        QTest::addColumn<bool>("length");
        QTest::newRow("five letters") << "abcde" << false << false << false << true;
        QTest::newRow("six letters") << "abcdef" << true << false << false << false;
        QTest::newRow("underscore") << "abc_def" << false << false << true << false;
        QTest::newRow("space") << "abc def" << false << true << true << false;
        QTest::newRow("31 letters and digits")
            << QStringLiteral("a1").repeated(15) + QLatin1Char('b') << true << false << false << false;
        QTest::newRow("32 letters and digits") << QStringLiteral("a1").repeated(16) << false << false << false << true;
        QTest::newRow("above ASCII is no symbol") << "p\u00e4ssw\u00f6rd" << true << false << false << false;
        QTest::newRow("DEL") << "abcdef\u007f" << false << false << true << false;
        QTest::newRow("empty") << "" << false << false << false << true;
    }
    void passwordRule()
    {
        QFETCH(QString, password);
        QFETCH(bool, valid);
        QFETCH(bool, spaces);
        QFETCH(bool, special);
        QFETCH(bool, length);
        QCOMPARE(Setup_NimboraContentView::checkValidPassword(password), valid);
        QCOMPARE(Setup_NimboraContentView::checkSpaces(password), spaces);
        QCOMPARE(Setup_NimboraContentView::checkSpecialCharacters(password), special);
        QCOMPARE(Setup_NimboraContentView::checkPasswordLength(password), length);
    }

    void newAccountChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("fields"); // mail, password, again, first, last
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("bad address before everything") << QStringList {"nope", "abc", "xyz", "", ""} << kBadMail;
        QTest::newRow("differing passwords before the rule")
            << QStringList {"a@b.example", "abc", "xyz", "", ""} << kDiffer;
        QTest::newRow("rule before empty names") << QStringList {"a@b.example", "abcde", "abcde", "", ""} << kInvalid;
        QTest::newRow("empty last name") << QStringList {"a@b.example", "abcdef", "abcdef", "Ana", ""} << kSignupInfo;
        QTest::newRow("all there") << QStringList {"a@b.example", "abcdef", "abcdef", "Ana Lu", "Silva"} << QString();
    }
    void newAccountChecksInOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        form->onSelectorChange(Setup_NimboraContentView::CreateOne);
        fill(fields[0], fields[1], fields[2], fields[3], fields[4]);
        QCOMPARE(form->chkAccount(), message.isEmpty());
        QCOMPARE(form->lbErrorMsg(), message);
        QCOMPARE(form->errorVisible(), !message.isEmpty());
    }

    void signInNeedsAddressAndPassword()
    {
        QVERIFY(!form->chkAccount());
        QCOMPARE(form->lbErrorMsg(), kSigninInfo);
        QVERIFY(form->mailMarked());
        QVERIFY(form->passwordMarked()); // empty
        form->setMail(QStringLiteral("a@b.example"));
        QVERIFY(!form->errorVisible()); // any edit hides it
        QVERIFY(!form->mailMarked());
        form->setPassword(QStringLiteral("x"));
        QVERIFY(form->chkAccount()); // the password rule is the portal's business here
        form->setMail(QStringLiteral("a@b"));
        QVERIFY(!form->chkAccount());
        QVERIFY(form->mailMarked());
        QVERIFY(!form->passwordMarked());
        form->onSelectorChange(Setup_NimboraContentView::Pass);
        QVERIFY(form->chkAccount());
    }

    void optionsArrangeTheFormAndNext()
    {
        QCOMPARE(form->getSelectedIndex(), int(Setup_NimboraContentView::AlreadyHave));
        QVERIFY(form->content1Visible());
        QVERIFY(!form->content2Visible());
        fill(QStringLiteral("a@b.example"), QStringLiteral("p"), QStringLiteral("p"), QStringLiteral("A"),
            QStringLiteral("B"));

        form->onSelectorChange(Setup_NimboraContentView::CreateOne);
        QVERIFY(form->optionOn(Setup_NimboraContentView::CreateOne));
        QVERIFY(!form->optionOn(Setup_NimboraContentView::AlreadyHave));
        QVERIFY(form->content1Visible() && form->content2Visible());
        QCOMPARE(form->getMail(), QString()); // every field emptied
        QCOMPARE(form->getLastName(), QString());
        QCOMPARE(step.next, QList<bool> {false}); // the terms are not accepted yet
        form->btCheckTerms(true);
        QCOMPARE(step.next.last(), true);
        form->btCheckTerms(false);
        QCOMPARE(step.next.last(), false);
        form->btCheckTerms(true);
        form->onSelectorChange(Setup_NimboraContentView::CreateOne);
        QCOMPARE(step.next.last(), true); // the box stays ticked for the same option

        form->onSelectorChange(Setup_NimboraContentView::Pass);
        QVERIFY(!form->content1Visible() && !form->content2Visible());
        QVERIFY(!form->termsChecked());
        QCOMPARE(step.next.last(), true);
        form->onSelectorChange(Setup_NimboraContentView::CreateOne);
        QCOMPARE(step.next.last(), false);
        form->onSelectorChange(7); // not an option
        QVERIFY(form->optionOn(Setup_NimboraContentView::CreateOne));
    }

    void errorsMarkTheFieldsTheyName_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("mail");
        QTest::addColumn<bool>("pass");
        QTest::newRow("sign-in info, password typed") << kSigninInfo << "x" << true << false;
        QTest::newRow("sign-in info, password a blank") << kSigninInfo << " " << true << true;
        QTest::newRow("differing passwords") << kDiffer << "x" << false << true;
        QTest::newRow("invalid password") << kInvalid << "x" << false << true;
        QTest::newRow("sign-up info") << kSignupInfo << "x" << true << true;
        QTest::newRow("bad address") << kBadMail << "x" << true << false;
        QTest::newRow("portal names the address") << "This e-mail address is already registered"
                                                  << "x" << true << false;
        QTest::newRow("portal names the account") << "Unknown account"
                                                  << "x" << true << false;
        QTest::newRow("portal names both") << "Incorrect e-mail or password"
                                           << "x" << true << true;
        QTest::newRow("portal names neither") << "Please sign in first"
                                              << "x" << false << false;
        QTest::newRow("case matters") << "Password expired"
                                      << "x" << false << false;
    }
    void errorsMarkTheFieldsTheyName()
    {
        QFETCH(QString, message);
        QFETCH(QString, password);
        QFETCH(bool, mail);
        QFETCH(bool, pass);
        form->setPassword(password);
        form->showErrorMessage(message);
        QCOMPARE(form->mailMarked(), mail);
        QCOMPARE(form->passwordMarked(), pass);
        QCOMPARE(form->lbErrorMsg(), message);
        QVERIFY(form->errorVisible());
    }

    void termsOpenTheLicenceDialog()
    {
        QStringList dimming;
        f->notifications.addObserver(Notifications::greyViewCovered, [&](const QObject *, const QVariantMap &info) {
            dimming << info.value(Notifications::greyViewCovered).toString();
        });
        form->btShowEulaClicked();
        form->btShowEulaClicked();
        QCOMPARE(f->modal.shown(), (QStringList {"dialog:DiagShowEula", "dialog:DiagShowEula"}));
        QCOMPARE(dimming, (QStringList {"YES", "NO", "YES", "NO"}));
    }
};

QTEST_GUILESS_MAIN(NimboraFormTest)
#include "tst_nimboraform.moc"
