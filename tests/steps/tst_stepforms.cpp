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
    answer += status < 0 ? QStringLiteral("partitions=0\r\n")
                         : QStringLiteral("partitions=1\r\npartitioninfo0=953869,0,953869,0,%1,EXT4\r\n").arg(status);
    return RecordParsers::hddInfo(answer + QStringLiteral("plug=1\r\nready=1\r\nend\r\n"));
}

using Icon = Setup_HddInformationView::StatusIcon;

// Rows of text columns, each row "name|column 1|column 2...".
void textRows(std::initializer_list<const char *> columns, std::initializer_list<QString> rows)
{
    for (const char *column : columns)
        QTest::addColumn<QString>(column);
    for (const QString &row : rows) {
        const QStringList cells = row.split(QLatin1Char('|'));
        QTestData &data = QTest::newRow(qPrintable(cells.first()));
        for (const QString &cell : cells.mid(1))
            data << cell;
    }
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
        const QString a32(32, QLatin1Char('a')), z31(31, QLatin1Char('z'));
        textRows({"password", "confirm", "message"},
            {"five characters|abc12|abc12|" + kSixTo31, "number sign|abc#123|abc#123|" + kCharacters,
                "space|abc 123|abc 123|" + kCharacters, "short with a symbol: the symbol first|ab#|ab#|" + kCharacters,
                "32 characters|" + a32 + "|" + a32 + "|" + kSixTo31, "empty password asks for it|||" + kEmpty,
                "31 characters|" + z31 + "|" + z31 + "|",
                QStringLiteral("accented|\u00e9t\u00e9\u00e9t\u00e9|\u00e9t\u00e9\u00e9t\u00e9|"),
                "48 UTF-8 bytes fit|" + kEuro.repeated(16) + "|" + kEuro.repeated(16) + "|",
                "51 UTF-8 bytes do not|" + kEuro.repeated(17) + "|" + kEuro.repeated(17) + "|" + kInvalid,
                "empty confirmation|abcdef||" + kEmpty, "different confirmation|abcdef|abcdeg|" + kMismatch});
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

    // The current password (two characters suffice), or the new one and its
    // confirmation when the row's name starts with "new".
    void confirmForm_data()
    {
        textRows({"password", "confirm", "message"},
            {"empty|||Enter the password.", "a symbol alone: the length first|#||" + kTwoTo31,
                "two characters pass|ab||", "number sign|ab#||" + kCharacters,
                QStringLiteral("accented|\u00e4\u00f6||"),
                "too long for the LAN slot|" + kEuro.repeated(17) + "||" + kInvalid,
                "new: empty confirmation|ab||" + kEmpty, "new: one character|a|a|" + kTwoTo31,
                "new: underscore|a_b|a_b|" + kCharacters, "new: different|ab|ac|" + kMismatch, "new: fine|ab|ab|"});
    }
    void confirmForm()
    {
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        Setup_ConfirmPasswordView form(*f->context);
        if (QByteArray(QTest::currentDataTag()).startsWith("new")) {
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

    // valid, spaces, special characters, length: as four letters.
    void cloudPasswordRule_data()
    {
        textRows({"password", "verdict"},
            {"five|abcde|---L", "six|abcdef|V---", "underscore|abc_def|--C-", "space|abc def|-SC-",
                "31|" + QStringLiteral("a1").repeated(15) + "b|V---",
                "32|" + QStringLiteral("a1").repeated(16) + "|---L",
                QStringLiteral("above ASCII|p\u00e4ssw\u00f6rd|V---"), QStringLiteral("DEL|abcdef\u007f|--C-")});
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
        // The fields marked: "m" the address, "p" the password.
        textRows({"message", "password", "marked"},
            {"sign-in info, password typed|" + kSigninInfo + "|x|m",
                "sign-in info, password a blank|" + kSigninInfo + "| |mp", "differing passwords|" + kMismatch + "|x|p",
                "sign-up info|" + kSignupInfo + "|x|mp", "bad address|" + kBadMail + "|x|m",
                "portal names the address|This e-mail address is already registered|x|m",
                "portal names the account|Unknown account|x|m", "portal names neither|Please sign in first|x|",
                "case matters|Password expired|x|"});
    }
    void errorsMarkTheFieldsTheyName()
    {
        QFETCH(QString, message);
        QFETCH(QString, password);
        QFETCH(QString, marked);
        Setup_NimboraContentView form(*f->context);
        form.setPassword(password);
        form.showErrorMessage(message);
        QCOMPARE(QString(form.mailMarked() ? "m" : "") + (form.passwordMarked() ? "p" : ""), marked);
        QVERIFY(form.errorVisible());
    }

    // The zone proposed by name ("L") or by offset ("G"), as an index of kZones.
    void proposal_data()
    {
        textRows({"identifier", "offset", "zone", "by"},
            {"city in two entries: the first|Asia/Taipei|28800|2|L", "city is case-sensitive|Asia/TAIPEI|28800|2|G",
                "offset hours only|Asia/Colombo|19800|4|G", "west of Greenwich|America/Recife|-10800|0|G",
                "identifier without a city|UTC|0|5|G"});
    }
    void proposal()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, offset);
        QFETCH(QString, zone);
        QFETCH(QString, by);
        const TimeZoneMatch::Proposal p = TimeZoneMatch::propose(kZones, {identifier, offset.toInt()});
        QCOMPARE(p.zone, kZones.at(zone.toInt()));
        QCOMPARE(p.by, by == QLatin1String("L") ? TimeZoneMatch::By::Location : TimeZoneMatch::By::Gmt);
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
        // The icon (none, on, off) and the format button: "v" visible, "e" enabled.
        textRows({"status", "text", "icon", "button"},
            {"no partitions|-1|---|0|", "idle|2|Ready|1|v", "disk error|4|Disk error|2|ve", "rejected|11|Rejected|2|v",
                "invalid format|0|Invalid recording format|2|v"});
    }
    void diskStatus()
    {
        QFETCH(QString, status);
        QFETCH(QString, text);
        QFETCH(QString, icon);
        QFETCH(QString, button);
        Setup_HddInformationView table(*f->context);
        table.setHddList({bay(0, status.toInt())});
        QCOMPARE(table.rowStatus(0), text);
        QCOMPARE(table.rowIcon(0), QList<Icon>({Icon::None, Icon::CheckOn, Icon::CheckOff}).at(icon.toInt()));
        QCOMPARE(QString(table.rowFormatVisible(0) ? "v" : "") + (table.rowFormatEnabled(0) ? "e" : ""), button);
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

    // A row the recorder list does not have (none, or one past the end) shows nothing.
    void recorderRowsOutsideTheListAreEmpty()
    {
        Setup_SelectNvrView list(*f->context);
        list.setSearchDeviceList({TVexorReply {}});
        QVERIFY(!list.rowIp(0).isEmpty());
        for (int row : {-1, 1})
            QVERIFY(list.rowIp(row).isEmpty() && list.rowMac(row).isEmpty() && list.rowDiagnosisText(row).isEmpty());
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
        f->modal.setScript<DiagMacAddress>([&shown](DiagMacAddress &dialog) {
            shown = dialog.lbMAC();
            dialog.windowWillClose();
        });
        list.onMacAddresssClicked();
        QCOMPARE(shown, QStringLiteral("  MAC:001C27ABCDEF"));
    }
};

QTEST_GUILESS_MAIN(StepFormsTest)
#include "tst_stepforms.moc"
