#include "StepsFixture.h"
#include "guide/DiagMacAddress.h"
#include "steps/DiagResetNVR.h"
#include "steps/Setup_ConfirmPasswordView.h"
#include "steps/Setup_HddInformationView.h"
#include "steps/Setup_NimboraContentView.h"
#include "steps/Setup_SelectCamView.h"
#include "steps/Setup_SelectNvrView.h"
#include "steps/Setup_SetPasswordView.h"
#include "steps/Setup_TimeZoneContentView.h"
#include "steps/TimeZoneMatch.h"
#include "tests/support/DataRows.h"
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
    answer += status < 0 ? QStringLiteral("partitions=0\r\n")
                         : QStringLiteral("partitions=1\r\npartitioninfo0=953869,0,953869,0,%1,EXT4\r\n").arg(status);
    return RecordParsers::hddInfo(answer + QStringLiteral("plug=1\r\nready=1\r\nend\r\n"));
}

using Icon = Setup_HddInformationView::StatusIcon;
using By = TimeZoneMatch::By;

TVexorReply recorder(const char *mac)
{
    TVexorReply reply {};
    UtilMethod::stringToMac(QString::fromLatin1(mac), reply.macAddress);
    return reply;
}

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
        const QString a32(32, QLatin1Char('a')), z31(31, QLatin1Char('z')),
            e16 = kEuro.repeated(16), e17 = kEuro.repeated(17), accented = QStringLiteral("\u00e9t\u00e9\u00e9t\u00e9");
        rows<QString, QString, QString>({"password", "confirm", "message"}, // no message: accepted
            {{"five characters", "abc12", "abc12", kSixTo31}, {"number sign", "abc#123", "abc#123", kCharacters},
                {"space", "abc 123", "abc 123", kCharacters},
                {"short with a symbol: the symbol first", "ab#", "ab#", kCharacters},
                {"32 characters", a32, a32, kSixTo31}, {"empty password asks for it", "", "", kEmpty},
                {"31 characters", z31, z31, ""}, {"accented", accented, accented, ""},
                {"48 UTF-8 bytes fit", e16, e16, ""}, {"51 UTF-8 bytes do not", e17, e17, kInvalid},
                {"empty confirmation", "abcdef", "", kEmpty}, {"different confirmation", "abcdef", "abcdeg", kMismatch},
                {"a bar is a character like others", "ab|cd|ef", "ab|cd|ef", kCharacters}});
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
        using Field = Setup_SetPasswordView::Field;
        QCOMPARE(form.markedField(),
            message == kMismatch    ? Field::Confirmation
                : message.isEmpty() ? Field(0)
                                    : Field::Password);
    }

    // The current password (two characters suffice), or a new one and its confirmation.
    void confirmForm_data()
    {
        // changing: the new password's fields, not the current one; no message: accepted.
        rows<bool, QString, QString, QString>({"changing", "password", "confirm", "message"},
            {{"empty", false, "", "", "Enter the password."},
                {"a symbol alone: the length first", false, "#", "", kTwoTo31},
                {"two characters pass", false, "ab", "", ""}, {"number sign", false, "ab#", "", kCharacters},
                {"accented", false, "\u00e4\u00f6", "", ""},
                {"too long for the LAN slot", false, kEuro.repeated(17), "", kInvalid},
                {"new: empty confirmation", true, "ab", "", kEmpty}, {"new: one character", true, "a", "a", kTwoTo31},
                {"new: underscore", true, "a_b", "a_b", kCharacters}, {"new: different", true, "ab", "ac", kMismatch},
                {"new: fine", true, "ab", "ab", ""}});
    }
    void confirmForm()
    {
        QFETCH(bool, changing);
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        Setup_ConfirmPasswordView form(*f->context);
        if (changing) {
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

    // What each check finds wrong; a valid password has none of it.
    void cloudPasswordRule_data()
    {
        rows<QString, bool, bool, bool, bool>({"password", "valid", "spaces", "special", "badLength"},
            {{"five", "abcde", false, false, false, true}, {"six", "abcdef", true, false, false, false},
                {"underscore", "abc_def", false, false, true, false}, {"space", "abc def", false, true, true, false},
                {"31", QStringLiteral("a1").repeated(15) + "b", true, false, false, false},
                {"32", QStringLiteral("a1").repeated(16), false, false, false, true},
                {"above ASCII", "p\u00e4ssw\u00f6rd", true, false, false, false},
                {"DEL", "abcdef\u007f", false, false, true, false}});
    }
    void cloudPasswordRule()
    {
        QFETCH(QString, password);
        QFETCH(bool, valid);
        QFETCH(bool, spaces);
        QFETCH(bool, special);
        QFETCH(bool, badLength);
        using V = Setup_NimboraContentView;
        QCOMPARE(V::checkValidPassword(password), valid);
        QCOMPARE(V::checkSpaces(password), spaces);
        QCOMPARE(V::checkSpecialCharacters(password), special);
        QCOMPARE(V::checkPasswordLength(password), badLength);
    }

    // Sign-in (two fields) or sign-up (five), the first failing check's message.
    void accountChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("fields"); // mail, password[, again, first, last]
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("sign-in, nothing") << QStringList {"", ""} << kSigninInfo;
        QTest::newRow("sign-in: the portal judges the password") << QStringList {"a@b.example", "x"} << QString();
        QTest::newRow("bad address first") << QStringList {"nope", "abc", "xyz", "", ""} << kBadMail;
        QTest::newRow("differing before the rule") << QStringList {"a@b.example", "abc", "xyz", "", ""} << kMismatch;
        QTest::newRow("rule before empty names") << QStringList {"a@b.example", "abcde", "abcde", "", ""} << kInvalid;
        QTest::newRow("empty last name") << QStringList {"a@b.example", "abcdef", "abcdef", "Ana", ""} << kSignupInfo;
        QTest::newRow("all there") << QStringList {"a@b.example", "abcdef", "abcdef", "Ana Lu", "Silva"} << QString();
    }
    void accountChecksInOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        Setup_NimboraContentView form(*f->context);
        if (fields.size() > 2) {
            form.onSelectorChange(Setup_NimboraContentView::CreateOne);
            form.setRePassword(fields[2]);
            form.setFirstName(fields[3]);
            form.setLastName(fields[4]);
        }
        form.setMail(fields[0]);
        form.setPassword(fields[1]);
        QCOMPARE(form.chkAccount(), message.isEmpty());
        QCOMPARE(form.lbErrorMsg(), message);
    }

    // Which fields a message marks: ours by key, the portal's by the words it uses.
    void errorsMarkTheFieldsTheyName_data()
    {
        rows<QString, QString, bool, bool>({"message", "password", "mailMarked", "passwordMarked"},
            {{"sign-in info, password typed", kSigninInfo, "x", true, false},
                {"sign-in info, password a blank", kSigninInfo, " ", true, true},
                {"differing passwords", kMismatch, "x", false, true}, {"sign-up info", kSignupInfo, "x", true, true},
                {"bad address", kBadMail, "x", true, false},
                {"portal names the address", "This e-mail address is already registered", "x", true, false},
                {"portal names the account", "Unknown account", "x", true, false},
                {"portal names neither", "Please sign in first", "x", false, false},
                {"case matters", "Password expired", "x", false, false}});
    }
    void errorsMarkTheFieldsTheyName()
    {
        QFETCH(QString, message);
        QFETCH(QString, password);
        QFETCH(bool, mailMarked);
        QFETCH(bool, passwordMarked);
        Setup_NimboraContentView form(*f->context);
        form.setPassword(password);
        form.showErrorMessage(message);
        QCOMPARE(form.mailMarked(), mailMarked);
        QCOMPARE(form.passwordMarked(), passwordMarked);
        QVERIFY(form.errorVisible());
    }

    // The zone proposed by the city's name or by the offset.
    void proposal_data()
    {
        rows<QString, int, QString, By>({"identifier", "offset", "zone", "by"},
            {{"city in two entries: the first", "Asia/Taipei", 28800, kZones.at(2), By::Location},
                {"city is case-sensitive", "Asia/TAIPEI", 28800, kZones.at(2), By::Gmt},
                {"offset hours only", "Asia/Colombo", 19800, kZones.at(4), By::Gmt},
                {"west of Greenwich", "America/Recife", -10800, kZones.at(0), By::Gmt},
                {"identifier without a city", "UTC", 0, kZones.at(5), By::Gmt}});
    }
    void proposal()
    {
        QFETCH(QString, identifier);
        QFETCH(int, offset);
        QFETCH(QString, zone);
        QFETCH(By, by);
        const TimeZoneMatch::Proposal p = TimeZoneMatch::propose(kZones, {identifier, offset});
        QCOMPARE(p.zone, zone);
        QCOMPARE(p.by, by);
    }

    void zoneSearchIgnoresCaseAndDiacritics_data()
    {
        rows<QString, QStringList>({"typed", "found"},
            {{"plain letters find accented", "sao", {kZones.at(0)}},
                {"accent typed, none in list", "P\u00e1ris", {kZones.at(1)}}, {"decomposed input", "Su\u0308", {}},
                {"two hits in order", "taipei", {kZones.at(2), kZones.at(3)}}});
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
        // status -1: no partitions.
        rows<int, QString, Icon, bool, bool>({"status", "text", "icon", "formatVisible", "formatEnabled"},
            {{"no partitions", -1, "---", Icon::None, false, false}, {"idle", 2, "Ready", Icon::CheckOn, true, false},
                {"disk error", 4, "Disk error", Icon::CheckOff, true, true},
                {"rejected", 11, "Rejected", Icon::CheckOff, true, false},
                {"invalid format", 0, "Invalid recording format", Icon::CheckOff, true, false}});
    }
    void diskStatus()
    {
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(Icon, icon);
        QFETCH(bool, formatVisible);
        QFETCH(bool, formatEnabled);
        Setup_HddInformationView table(*f->context);
        table.setHddList({bay(0, status)});
        QCOMPARE(table.rowStatus(0), text);
        QCOMPARE(table.rowIcon(0), icon);
        QCOMPARE(table.rowFormatVisible(0), formatVisible);
        QCOMPARE(table.rowFormatEnabled(0), formatEnabled);
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

    // The button's name is quoted where the instruction names it, and nowhere else.
    void nextIsQuotedInTheSearchInstruction()
    {
        Setup_SelectNvrView list(*f->context);
        QCOMPARE(list.lbText1().text, QStringLiteral("Pick your recorder, then click \"Next\". \"Next\" is below."));
        QCOMPARE(list.lbText1().phrase, QStringLiteral("\"Next\""));
        f->writeLanguage(QStringLiteral("EN"), {{"APP_Next2", "Next"}, {"SetupSearch_Text1", "Pick one."}});
        f->l10n->setLanguage(QStringLiteral("EN"));
        QVERIFY(list.lbText1().text == QLatin1String("Pick one.") && list.lbText1().phrase.isEmpty());
    }

    // The MAC dialog shows the row selected last.
    void macDialogShowsTheSelectedRow()
    {
        Setup_SelectNvrView list(*f->context);
        list.setSearchDeviceList({recorder("00:1c:27:00:00:01"), recorder("00:1c:27:ab:cd:ef")});
        list.selectRow(1);
        QString shown;
        f->modal.setScript<DiagMacAddress>([&shown](DiagMacAddress &dialog) {
            shown = dialog.lbMAC();
            dialog.windowWillClose();
        });
        list.onMacAddresssClicked();
        QCOMPARE(shown, QStringLiteral("  MAC:001C27ABCDEF"));
    }

    // A row just before the first or just past the last (two rows in each
    // list) shows nothing and a click on it changes nothing.
    void rowsOutsideTheListsAreRefused_data() { rows<int>({"row"}, {{"-1", -1}, {"the count", 2}}); }
    void rowsOutsideTheListsAreRefused()
    {
        QFETCH(int, row);
        Setup_HddInformationView disks(*f->context);
        disks.setHddList({bay(0, 4), bay(1, 4)});
        const QList<bool> marks {disks.rowChecked(0), disks.rowChecked(1)};
        disks.onButtonClicked(row);
        disks.onFormatClicked(row);
        QCOMPARE((QList<bool> {disks.rowChecked(0), disks.rowChecked(1)}), marks);
        QVERIFY(!disks.rowChecked(row) && !disks.bayHasDrive(row));
        QCOMPARE(disks.rowProduct(row) + disks.rowCapacity(row), QStringLiteral("------"));
        QCOMPARE(disks.rowStatus(row), QString());
        QCOMPARE(disks.rowIcon(row), Icon::None);
        QVERIFY(!disks.rowFormatVisible(row) && !disks.rowFormatEnabled(row));

        Setup_SelectNvrView recorders(*f->context);
        recorders.setSearchDeviceList({recorder("00:1c:27:00:00:01"), recorder("00:1c:27:00:00:02")});
        QVERIFY(!recorders.rowIp(1).isEmpty());
        QVERIFY(recorders.rowIp(row).isEmpty() && recorders.rowMac(row).isEmpty()
            && recorders.rowDiagnosisText(row).isEmpty());
        recorders.selectRow(1);
        recorders.selectRow(row);
        TVexorReply chosen {};
        QVERIFY(recorders.getSelcetedNvr(chosen));
        QCOMPARE(UtilMethod::macToString(chosen.macAddress), QStringLiteral("00:1c:27:00:00:02"));

        Setup_SelectCamView cameras(*f->context);
        auto list = std::make_shared<TCameraInfoList>();
        for (const char *ip : {"192.0.2.21", "192.0.2.22"}) {
            list->append(std::make_shared<TCameraInfo>());
            list->last()->setIp(QString::fromLatin1(ip));
            list->last()->setModelName(QStringLiteral("ZB-1"));
        }
        cameras.setCameraMutableList(list);
        cameras.onChangeSelected(row, 0);
        QCOMPARE(cameras.selectCamera(), 0);
        QCOMPARE(cameras.rowModel(row) + cameras.rowIp(row) + cameras.rowMac(row), QString());
        QVERIFY(!cameras.rowPicked(row) && !cameras.rowHasPreview(row));

        Setup_TimeZoneContentView zones(*f->context);
        zones.setTimeZoneListFromNVR(kZones.mid(0, 2));
        zones.refresh();
        zones.tableViewClicked(row);
        QCOMPARE(zones.btTimeZoneTitle(), kZones.at(0));
    }
};

QTEST_GUILESS_MAIN(StepFormsTest)
#include "tst_stepforms.moc"
