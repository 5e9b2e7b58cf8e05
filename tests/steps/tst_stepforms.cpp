// The steps' rules without a recorder: the password, e-mail and cloud password
// rules at their edges and the order of their checks, the time zone proposal
// and search, the disk status column, and the search list's texts and MAC.
#include "StepsFixture.h"
#include "guide/DiagMacAddress.h"
#include "steps/ComputerTimeZone.h"
#include "steps/DiagResetNVR.h"
#include "steps/Setup_ConfirmPasswordView.h"
#include "steps/Setup_HddInformationView.h"
#include "steps/Setup_NimboraContentView.h"
#include "steps/Setup_SelectNvrView.h"
#include "steps/Setup_SetPasswordView.h"
#include "steps/TimeZoneMatch.h"
#include "util/UtilMethod.h"
#include "webconfig/RecordParsers.h"

#include <QtTest>

namespace {

const QString kInvalid = QStringLiteral("Invalid password.");
const QString kEmpty = QStringLiteral("Enter the password twice.");
const QString kMismatch = QStringLiteral("The passwords differ.");
const QString kCharacters = QStringLiteral("Letters and digits only.");
const QString kSixTo31 = QStringLiteral("Use 6 to 31 characters.");
const QString kTwoTo31 = QStringLiteral("Use 2 to 31 characters.");
const QString kEuro = QStringLiteral("\u20ac"); // three UTF-8 bytes

const QString kSigninInfo = QStringLiteral("Check your sign-in.");
const QString kSignupInfo = QStringLiteral("Fill in everything.");
const QString kBadMail = QStringLiteral("Not an address.");

const QStringList kZones
    = {QStringLiteral("(GMT-03:00) S\u00e3o Paulo"), QStringLiteral("(GMT+01:00) Z\u00fcrich, Paris"),
        QStringLiteral("(GMT+08:00) Beijing, Taipei"), QStringLiteral("(GMT+08:00) Taipei"),
        QStringLiteral("(GMT+05:30) Chennai, Kolkata"), QStringLiteral("(GMT+00:00) London")};

// One bay's answer as the recorder sends it; status < 0 leaves out the partitions.
std::shared_ptr<THddInfo> bay(int id, int status)
{
    QString answer = QStringLiteral("storageid=%1\r\ndevicename=sd%2\r\nproduct=P%1\r\n").arg(id).arg(QChar(u'a' + id));
    if (status < 0)
        answer += QStringLiteral("partitions=0\r\n");
    else
        answer += QStringLiteral("partitions=1\r\npartitioninfo0=953869,0,953869,0,%1,EXT4\r\n").arg(status);
    return RecordParsers::hddInfo(answer + QStringLiteral("plug=1\r\nready=1\r\nend\r\n"));
}

using Icon = Setup_HddInformationView::StatusIcon;

struct ResetAnswers : DiagResetNVRDelegate
{
    QStringList calls;
    void performResetReadyToCheckUser(const QString &user, const QString &) override { calls << user; }
    void cancelResetNVR() override { calls << QStringLiteral("cancel"); }
};

} // namespace

class StepFormsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StepsFixture> f;

private slots:
    void init()
    {
        f = std::make_unique<StepsFixture>(StepsFixture::Entries {{"SetupNimbora Signin Info", kSigninInfo},
            {"SetupNimbora sign up Info", kSignupInfo}, {"SetupSetPwd Msg3", kBadMail}, {"SetupHdd idle", "Ready"},
            {"SetupHdd disk error", "Disk error"}, {"SetupHdd reject", "Rejected"},
            {"SetupHdd invalid record format", "Invalid recording format"}, {"APP_Next2", "Next"},
            {"SetupSearch_Text1", "Pick your recorder, then click Next. Next is below."}});
    }

    void setPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message"); // empty: accepted
        const auto row = [](const char *name, const QString &pw, const QString &message) {
            QTest::newRow(name) << pw << pw << message;
        };
        row("five characters", QStringLiteral("abc12"), kSixTo31);
        row("number sign", QStringLiteral("abc#123"), kCharacters);
        row("space", QStringLiteral("abc 123"), kCharacters);
        row("short with a symbol: the symbol first", QStringLiteral("ab#"), kCharacters);
        row("32 characters", QString(32, QLatin1Char('a')), kSixTo31);
        row("empty password asks for it", QString(), kEmpty);
        row("31 characters", QString(31, QLatin1Char('z')), QString());
        row("accented letters", QStringLiteral("\u00e9t\u00e9\u00e9t\u00e9"), QString());
        row("48 UTF-8 bytes fit", kEuro.repeated(16), QString());
        row("51 UTF-8 bytes do not", kEuro.repeated(17), kInvalid);
        QTest::newRow("empty confirmation") << "abcdef"
                                            << "" << kEmpty;
        QTest::newRow("different confirmation") << "abcdef"
                                                << "abcdeg" << kMismatch;
    }
    void setPassword()
    {
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        Setup_SetPasswordView form(*f->context);
        form.setPasswordText(password);
        form.setConfirmText(confirm);
        QCOMPARE(form.checkPassword(), message.isEmpty());
        QCOMPARE(form.lbMessage(), message.isEmpty() ? QString() : QStringLiteral("Error: ") + message);
        const auto marked = message == kMismatch ? Setup_SetPasswordView::Field::Confirmation
            : message.isEmpty()                  ? Setup_SetPasswordView::Field(0)
                                                 : Setup_SetPasswordView::Field::Password;
        QCOMPARE(form.markedField(), marked);
        // Leaving the password field checks the password alone.
        form.clear();
        form.setPasswordText(QStringLiteral("abcdef"));
        form.passwordFieldDidEndEditing();
        QVERIFY(form.lbMessage().isEmpty());
    }

    // The current password (two characters suffice) and the new one, whose
    // messages stand plainly under their fields.
    void confirmForm_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << false << ""
                               << "" << QStringLiteral("Enter the password.");
        QTest::newRow("a symbol alone: the length first") << false << "#"
                                                          << "" << kTwoTo31;
        QTest::newRow("two characters pass") << false << "ab"
                                             << ""
                                             << "";
        QTest::newRow("number sign") << false << "ab#"
                                     << "" << kCharacters;
        QTest::newRow("accented") << false << "\u00e4\u00f6"
                                  << ""
                                  << "";
        QTest::newRow("too long for the LAN slot") << false << kEuro.repeated(17) << "" << kInvalid;
        QTest::newRow("new: empty confirmation") << true << "ab"
                                                 << "" << kEmpty;
        QTest::newRow("new: one character") << true << "a"
                                            << "a" << kTwoTo31;
        QTest::newRow("new: underscore") << true << "a_b"
                                         << "a_b" << kCharacters;
        QTest::newRow("new: different") << true << "ab"
                                        << "ac" << kMismatch;
        QTest::newRow("new: fine") << true << "ab"
                                   << "ab"
                                   << "";
    }
    void confirmForm()
    {
        QFETCH(bool, change);
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        Setup_ConfirmPasswordView form(*f->context);
        if (change) {
            form.setChangePasswordChecked(true);
            form.setNewPasswordText(password);
            form.setConfirmText(confirm);
            QCOMPARE(form.checkNewPassword(), message.isEmpty());
            QCOMPARE(form.lbNewMessage(), message);
            QVERIFY(form.lbMessage().isEmpty());
        } else {
            form.setPasswordText(password);
            QCOMPARE(form.checkPassword(), message.isEmpty());
            QCOMPARE(form.lbMessage(), message.isEmpty() ? QString() : QStringLiteral("Error: ") + message);
            QCOMPARE(form.passwordFieldMarked(), !message.isEmpty());
        }
        QCOMPARE(form.failure(), message);
    }

    // Typing clears the confirm form's messages; shown again, the form unticks
    // the change box.
    void confirmFormTypingAndShowingAgain()
    {
        Setup_ConfirmPasswordView form(*f->context);
        form.setChangePasswordChecked(true);
        QVERIFY(!form.checkPassword() && !form.checkNewPassword());
        form.setConfirmText(QStringLiteral("x"));
        QVERIFY(form.lbMessage().isEmpty() && form.lbNewMessage().isEmpty());
        form.clear();
        QVERIFY(!form.getChangePasswordChecked() && !form.newPasswordFieldsVisible());
    }

    // The window's close control cancels the reset dialog like Cancel, once.
    void resetDialogClosedOnce()
    {
        ResetAnswers answers;
        DiagResetNVR dialog(*f->context, answers, false);
        QCOMPARE(dialog.lbWarning(), kInvalid);
        dialog.windowWillClose();
        dialog.btCancel();
        QCOMPARE(answers.calls, QStringList {QStringLiteral("cancel")});
    }

    void mailRule_data()
    {
        QTest::addColumn<QString>("mail");
        QTest::addColumn<bool>("valid");
        for (const char *good : {"Ana.B+Cloud@Example.COM", "o'hara{x}|y~z^_`@ex-ample.io",
                 "\"quoted.name!\"@example.com", "x@[1.2.3.4]", "a@b.c"})
            QTest::newRow(good) << QString::fromUtf8(good) << true;
        for (const char *bad : {"\"two words\"@example.com", "bad@", "a@localhost", "a@example.com.",
                 "a..b@example.com", ".a@example.com", "a@-b.com", "a b@example.com", "a@example.com ",
                 "a@b@example.com", "x@[256.1.1.1]", "\u00fc@example.com", ""})
            QTest::newRow(bad) << QString::fromUtf8(bad) << false;
    }
    void mailRule()
    {
        QFETCH(QString, mail);
        QFETCH(bool, valid);
        QCOMPARE(Setup_NimboraContentView::checkValidMail(mail), valid);
    }

    // valid, spaces, special characters, length: as four letters.
    void cloudPasswordRule_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("five letters") << "abcde"
                                      << "---L";
        QTest::newRow("six letters") << "abcdef"
                                     << "V---";
        QTest::newRow("underscore") << "abc_def"
                                    << "--C-";
        QTest::newRow("space") << "abc def"
                               << "-SC-";
        QTest::newRow("31") << QStringLiteral("a1").repeated(15) + QLatin1Char('b') << "V---";
        QTest::newRow("32") << QStringLiteral("a1").repeated(16) << "---L";
        QTest::newRow("above ASCII is no symbol") << "p\u00e4ssw\u00f6rd"
                                                  << "V---";
        QTest::newRow("DEL") << "abcdef\u007f"
                             << "--C-";
    }
    void cloudPasswordRule()
    {
        QFETCH(QString, password);
        QFETCH(QString, verdict);
        using V = Setup_NimboraContentView;
        const QString got = QString(V::checkValidPassword(password) ? "V" : "-")
            + (V::checkSpaces(password) ? "S" : "-") + (V::checkSpecialCharacters(password) ? "C" : "-")
            + (V::checkPasswordLength(password) ? "L" : "-");
        QCOMPARE(got, verdict);
    }

    void newAccountChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("fields"); // mail, password, again, first, last
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("bad address first") << QStringList {"nope", "abc", "xyz", "", ""} << kBadMail;
        QTest::newRow("differing before the rule") << QStringList {"a@b.example", "abc", "xyz", "", ""} << kMismatch;
        QTest::newRow("rule before empty names") << QStringList {"a@b.example", "abcde", "abcde", "", ""} << kInvalid;
        QTest::newRow("empty last name") << QStringList {"a@b.example", "abcdef", "abcdef", "Ana", ""} << kSignupInfo;
        QTest::newRow("all there") << QStringList {"a@b.example", "abcdef", "abcdef", "Ana Lu", "Silva"} << QString();
    }
    void newAccountChecksInOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        Setup_NimboraContentView form(*f->context);
        form.onSelectorChange(Setup_NimboraContentView::CreateOne);
        form.setMail(fields[0]);
        form.setPassword(fields[1]);
        form.setRePassword(fields[2]);
        form.setFirstName(fields[3]);
        form.setLastName(fields[4]);
        QCOMPARE(form.chkAccount(), message.isEmpty());
        QCOMPARE(form.lbErrorMsg(), message);
    }

    void signInNeedsAddressAndPassword()
    {
        Setup_NimboraContentView form(*f->context);
        QVERIFY(!form.chkAccount());
        QCOMPARE(form.lbErrorMsg(), kSigninInfo);
        QVERIFY(form.mailMarked() && form.passwordMarked());
        form.setMail(QStringLiteral("a@b.example"));
        QVERIFY(!form.errorVisible()); // any edit hides it
        form.setPassword(QStringLiteral("x"));
        QVERIFY(form.chkAccount()); // the password rule is the portal's business here
        form.setMail(QStringLiteral("a@b"));
        QVERIFY(!form.chkAccount());
        QVERIFY(form.mailMarked() && !form.passwordMarked());
    }

    // Which fields a message marks: ours by key, the portal's by the words it uses.
    void errorsMarkTheFieldsTheyName_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("mail");
        QTest::addColumn<bool>("pass");
        QTest::newRow("sign-in info, password typed") << kSigninInfo << "x" << true << false;
        QTest::newRow("sign-in info, password a blank") << kSigninInfo << " " << true << true;
        QTest::newRow("differing passwords") << kMismatch << "x" << false << true;
        QTest::newRow("sign-up info") << kSignupInfo << "x" << true << true;
        QTest::newRow("bad address") << kBadMail << "x" << true << false;
        QTest::newRow("portal names the address") << "This e-mail address is already registered"
                                                  << "x" << true << false;
        QTest::newRow("portal names the account") << "Unknown account"
                                                  << "x" << true << false;
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
        Setup_NimboraContentView form(*f->context);
        form.setPassword(password);
        form.showErrorMessage(message);
        QCOMPARE(form.mailMarked(), mail);
        QCOMPARE(form.passwordMarked(), pass);
        QVERIFY(form.errorVisible());
    }

    void gmtText_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("text");
        QTest::newRow("west with half hour") << -(3 * 3600 + 1800) << "GMT-03:30";
        QTest::newRow("zero") << 0 << "GMT+00:00";
        QTest::newRow("quarter hour") << 5 * 3600 + 45 * 60 << "GMT+05:45";
    }
    void gmtText()
    {
        QFETCH(int, offset);
        QFETCH(QString, text);
        QCOMPARE((ComputerTimeZone {QStringLiteral("X/Y"), offset}.gmtText()), text);
    }

    void systemZoneFollowsTZ()
    {
        const QByteArray saved = qgetenv("TZ");
        qputenv("TZ", "Asia/Kolkata");
        const ComputerTimeZone zone = ComputerTimeZone::current();
        saved.isNull() ? qunsetenv("TZ") : qputenv("TZ", saved);
        QCOMPARE(zone.identifier, QStringLiteral("Asia/Kolkata"));
        QCOMPARE(zone.offsetFromUtc, 5 * 3600 + 1800);
        QCOMPARE(zone.city(), QStringLiteral("Kolkata"));
    }

    void proposal_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("by");
        const int gmt = int(TimeZoneMatch::By::Gmt);
        QTest::newRow("city in two entries: the first")
            << "Asia/Taipei" << 8 * 3600 << kZones.at(2) << int(TimeZoneMatch::By::Location);
        QTest::newRow("city is case-sensitive") << "Asia/TAIPEI" << 8 * 3600 << kZones.at(2) << gmt;
        QTest::newRow("offset hours only") << "Asia/Colombo" << 5 * 3600 + 1800 << kZones.at(4) << gmt;
        QTest::newRow("identifier without a city") << "UTC" << 0 << kZones.at(5) << gmt;
    }
    void proposal()
    {
        QFETCH(QString, identifier);
        QFETCH(int, offset);
        QFETCH(QString, zone);
        QFETCH(int, by);
        const TimeZoneMatch::Proposal p = TimeZoneMatch::propose(kZones, {identifier, offset});
        QCOMPARE(p.zone, zone);
        QCOMPARE(int(p.by), by);
    }

    void zoneSearchIgnoresCaseAndDiacritics_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("plain letters find accented") << "sao" << QStringList {kZones.at(0)};
        QTest::newRow("accent typed, none in list") << "P\u00e1ris" << QStringList {kZones.at(1)};
        QTest::newRow("decomposed input") << "Su\u0308" << QStringList();
        QTest::newRow("two hits in order") << "taipei" << QStringList {kZones.at(2), kZones.at(3)};
    }
    void zoneSearchIgnoresCaseAndDiacritics()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        QCOMPARE(TimeZoneMatch::search(kZones, typed), found);
    }

    // The status column: the format button hidden without partitions and
    // enabled only for a disk in error.
    void diskStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no partitions") << -1 << "---" << int(Icon::None) << false << false;
        QTest::newRow("idle") << 2 << "Ready" << int(Icon::CheckOn) << true << false;
        QTest::newRow("disk error") << 4 << "Disk error" << int(Icon::CheckOff) << true << true;
        QTest::newRow("rejected") << 11 << "Rejected" << int(Icon::CheckOff) << true << false;
        QTest::newRow("invalid format") << 0 << "Invalid recording format" << int(Icon::CheckOff) << true << false;
    }
    void diskStatus()
    {
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        Setup_HddInformationView table(*f->context);
        table.setHddList({bay(0, status)});
        QCOMPARE(table.rowStatus(0), text);
        QCOMPARE(int(table.rowIcon(0)), icon);
        QCOMPARE(table.rowFormatVisible(0), visible);
        QCOMPARE(table.rowFormatEnabled(0), enabled);
    }

    // A status the table does not know leaves the cell as the last answer drew it.
    void unknownDiskStatusKeepsTheCell()
    {
        Setup_HddInformationView table(*f->context);
        table.setHddList({bay(0, 12), bay(1, -1)});
        QCOMPARE(table.rowStatus(0), QString());
        table.setHddList({bay(0, 2), bay(1, -1)});
        table.setHddList({bay(0, 12), bay(1, 99)});
        QCOMPARE(table.rowStatus(0), QStringLiteral("Ready"));
        QCOMPARE(table.rowIcon(0), Icon::CheckOn);
        QCOMPARE(table.rowStatus(1), QStringLiteral("---"));
        QVERIFY(table.rowFormatVisible(1));
    }

    void nextIsQuotedInTheSearchInstruction()
    {
        Setup_SelectNvrView list(*f->context);
        QCOMPARE(list.lbText1().text, QStringLiteral("Pick your recorder, then click \"Next\". \"Next\" is below."));
        QCOMPARE(list.lbText1().phrase, QStringLiteral("\"Next\""));
        f->writeLanguage(QStringLiteral("EN"), {{"APP_Next2", "Next"}, {"SetupSearch_Text1", "Pick one."}});
        f->l10n->setLanguage(QStringLiteral("EN"));
        QCOMPARE(list.lbText1().text, QStringLiteral("Pick one."));
        QVERIFY(list.lbText1().phrase.isEmpty());
    }

    // The MAC dialog shows the row selected last.
    void macDialogShowsTheSelectedRow()
    {
        Setup_SelectNvrView list(*f->context);
        TVexorReply first {}, second {};
        UtilMethod::stringToMac(QStringLiteral("00:1c:27:00:00:01"), first.macAddress);
        UtilMethod::stringToMac(QStringLiteral("00:1c:27:ab:cd:ef"), second.macAddress);
        list.setSearchDeviceList({first, second});
        list.selectRow(1);
        QString shown;
        f->modal.setScript(QStringLiteral("DiagMacAddress"), [&shown](DialogController &dialog) {
            shown = static_cast<DiagMacAddress &>(dialog).lbMAC();
            static_cast<DiagMacAddress &>(dialog).onCloseClicked();
        });
        list.onMacAddresssClicked();
        QCOMPARE(shown, QStringLiteral("  MAC:001C27ABCDEF"));
    }
};

QTEST_GUILESS_MAIN(StepFormsTest)
#include "tst_stepforms.moc"
