#include "ShellFixture.h"
#include "tests/support/DataRows.h"

#include "app/DiagExit.h"
#include "app/ReportPdf.h"
#include "app/SetupReport.h"
#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "platform/Log.h"
#include "protocol/TVexorReply.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_TimeZoneView.h"
#include "tests/support/RecordingXdgOpen.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>
#include <tuple>

namespace {

// What the program printed, or empty when it failed.
QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    const bool ended = process.waitForFinished(30000);
    return ended && process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

} // namespace

// The shell's page and step sequence, the setup state and the counter.
class ShellFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void startsOnceWithEnglishWelcome()
    {
        ShellFixture f;
        f.l10n->setLanguage(QStringLiteral("NL_BE"));
        QStringList lines;
        Log::setSink([&](const QString &line) { lines << line; });
        f.shell->awakeFromNib();
        QCOMPARE(f.currentPage(), QStringLiteral("welcome"));
        QCOMPARE(f.l10n->activeLanguage(), QStringLiteral("EN"));
        QVERIFY(!f.shell->isStepsReminderVisible());
        QVERIFY(lines.contains(QStringLiteral("showWelcomeView")));

        // A second load keeps the language and does not show the welcome page again.
        f.shell->switchLanguage(QStringLiteral("NL_BE"));
        f.shell->showInstallView();
        f.shell->awakeFromNib();
        QCOMPARE(f.currentPage(), QStringLiteral("install"));
        QCOMPARE(f.l10n->activeLanguage(), QStringLiteral("NL_BE"));
        Log::setSink({});
    }

    // The counter climbs from 0/10 to 10/10 as the pages come in their order;
    // a key without a count of its own keeps what it showed.
    void counterClimbsWithThePages()
    {
        ShellFixture f;
        f.shell->awakeFromNib();
        const QStringList order {QStringLiteral("install0"), QStringLiteral("install1"), QStringLiteral("install2"),
            QStringLiteral("install3"), Setup_SearchNvrView::kPageKey, Setup_PasswordView::kPageKey,
            Setup_HddView::kPageKey, Setup_SearchCamView::kPageKey, Setup_NimboraView::kPageKey, SummaryView::kPageKey};
        QList<int> counts;
        for (const QString &key : order) {
            f.post(QStringLiteral("changeReminder"), QStringLiteral("steps"), key);
            QVERIFY2(f.shell->lbSteps().endsWith(QLatin1String("/10")), qPrintable(key));
            counts << f.shell->lbSteps().section(QLatin1Char('/'), 0, 0).toInt();
        }
        QCOMPARE(counts.first(), 0);
        QCOMPARE(counts.last(), 10);
        for (int i = 1; i < counts.size(); ++i)
            QVERIFY2(counts.at(i) > counts.at(i - 1), qPrintable(order.at(i)));
        for (const QString &key : {Setup_TimeZoneView::kPageKey, QStringLiteral("welcome"), QStringLiteral("bogus")}) {
            f.post(QStringLiteral("changeReminder"), QStringLiteral("steps"), key);
            QCOMPARE(f.shell->lbSteps(), QStringLiteral("10/10"));
        }
        QVERIFY(f.shell->isStepsReminderVisible());
    }

    void headerAndHelpBarAppearWithTheGuide()
    {
        ShellFixture f;
        f.shell->awakeFromNib();
        const auto visibleButtons = [&f] {
            QList<int> visible;
            for (int i = 0; i < f.shell->helpButtons().size(); ++i) {
                if (f.shell->isHelpButtonVisible(i))
                    visible << i;
            }
            return visible;
        };
        // The welcome page: Exit, and the trademark line on a white band.
        QCOMPARE(visibleButtons(), QList<int> {AppDelegate::Exit});
        QVERIFY(f.shell->isTradeMarkVisible());
        QVERIFY(!f.shell->isHeaderGrey());
        f.post(QStringLiteral("changeReminder"), QStringLiteral("steps"), QStringLiteral("install0"));
        QCOMPARE(visibleButtons(),
            (QList<int> {AppDelegate::Troubleshooting, AppDelegate::Support, AppDelegate::Manual,
                AppDelegate::QuickGuide, AppDelegate::About, AppDelegate::Exit}));
        QVERIFY(f.shell->isHeaderGrey());
        QVERIFY(f.shell->isTradeMarkVisible());
        f.post(QStringLiteral("changeReminder"), QStringLiteral("steps"), QStringLiteral("welcome"));
        QVERIFY(!f.shell->isHeaderGrey());
        QCOMPARE(f.shell->lbSteps(), QStringLiteral("0/10"));
    }

    void setupStepSequence()
    {
        ShellFixture f;
        f.shell->awakeFromNib();
        f.shell->showSetupView();
        SetupView &setup = f.shell->contentSetupViewController();
        auto step = [&] { return setup.setupBox().current() ? setup.setupBox().current()->pageKey() : QString(); };
        // The setup page always opens on the search step.
        QVERIFY(step() == QLatin1String("searchNVR") && setup.leftStepViewController().step() == 1);
        // Each step's Next, and Back from where it leads; then Next again.
        const std::tuple<std::function<void()>, QString, std::function<void()>> steps[] {
            {[&] { setup.setupSearchNvrNext(); }, "password", [&] { setup.setupPasswordBack(); }},
            {[&] { setup.setupPasswordNext(QStringLiteral("secret")); }, "timeZone",
                [&] { setup.setupTimeZoneBack(); }},
            {[&] { setup.setupTimeZoneNext(); }, "hdd", [&] { setup.setupHddBack(); }},
            {[&] { setup.setupHddNext(); }, "searchCAM", [&] { setup.setupSearchCamBack(); }},
            {[&] { setup.setupSearchCamNext(); }, "nimbora", [&] { setup.setupNimboraBack(); }}};
        for (const auto &[next, to, back] : steps) {
            const QString from = step();
            next();
            QCOMPARE(step(), to);
            QCOMPARE(setup.getSelectedDevice(), setup.searchNvrViewController().getSelectedDevice());
            back();
            QCOMPARE(step(), from);
            if (to != QLatin1String("nimbora"))
                next();
        }
        setup.setupPasswordGotoSearchCam(QStringLiteral("secret"));
        QCOMPARE(step(), QStringLiteral("searchCAM"));
        setup.skipNimboraNext();
        QCOMPARE(f.currentPage(), QStringLiteral("summary"));
        QCOMPARE(f.shell->summaryInfo(), QStringList {"secret"} + QStringList(11, QStringLiteral("none")));
        QCOMPARE(f.shell->contentSummaryViewController().summaryInfo(), f.shell->summaryInfo());
        // A ":" in the cloud password stays in it.
        setup.setupNimboraNext(QStringLiteral("me@example.com:cloud:extra"));
        QCOMPARE(f.shell->summaryInfo().mid(0, 4), QStringList({"secret", "me@example.com", "cloud:extra", "none"}));

        // The reset note of the password step leads back to the welcome page.
        f.shell->showSetupView();
        setup.setupPasswordGotoSearchNvr();
        QCOMPARE(f.currentPage(), QStringLiteral("welcome"));
    }

    void helpBarOpensPagesAndDocuments()
    {
        ShellFixture f;
        f.shell->awakeFromNib();
        f.shell->onTroubleshootingClicked();
        f.shell->onSupportClicked();
        f.shell->onAdobeClicked();
        f.shell->onManualClicked();
        f.shell->switchLanguage(QStringLiteral("FR"));
        f.shell->onManualClicked();
        f.shell->onQuickGuideClicked();
        const QList<QUrl> &opened = f.urls.opened();
        QCOMPARE(opened.size(), 6);
        QCOMPARE(opened.at(0).path(), QStringLiteral("/faq/"));
        QCOMPARE(opened.at(2).path(), QStringLiteral("/reader/"));
        QVERIFY(opened.at(3).isLocalFile());
        QVERIFY(opened.at(3).toLocalFile().endsWith(QStringLiteral("/HRX-260A_A2_Manual_v1.20(WW).pdf")));
        QCOMPARE(opened.at(4), opened.at(3));
        QVERIFY(opened.at(5).toLocalFile().endsWith(QStringLiteral("/HRX-260A_A2_QIG_v1.40(DI)_90x130.pdf")));
        QVERIFY(f.modal.shown().isEmpty());

        // The documents as a reader we did not write sees them: A4 and the quick
        // guide's 90 x 130 mm, in points; ready is blue, as the guide says and draws it.
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (pdftotext.isEmpty() || pdfinfo.isEmpty())
            QSKIP("poppler-utils is not installed");
        const std::pair<QUrl, QStringList> documents[] {
            {opened.at(3),
                {"595 x 842 pts", "HRX-540A", "Administrator password", "Time zone", "Nimbora",
                    "status light of the recorder turns blue"}},
            {opened.at(5), {"255 x 369 pts", "Quick Guide", "blue status light"}}};
        for (const auto &[url, expected] : documents) {
            const QString path = url.toLocalFile();
            const QString info = run(pdfinfo, {path});
            QVERIFY2(info.contains(expected.first())
                    && info.contains(QRegularExpression(QStringLiteral("Creator: +nvrwizard"))),
                qPrintable(info));
            const QString text = run(pdftotext, {QStringLiteral("-raw"), path, QStringLiteral("-")}).simplified();
            for (const QString &phrase : expected.mid(1))
                QVERIFY2(text.contains(phrase), qPrintable(phrase));
            QVERIFY(!text.contains(QLatin1String("green"), Qt::CaseInsensitive));
        }
    }

    // The report as a reader we did not write sees it: each fact it was given
    // (a fixed address in the language; DHCP is a row of the summary lab),
    // markup as plain text, Japanese as written, a missing fact as a dash, an
    // empty table as "None".
    void reportStatesItsFacts()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("poppler-utils is not installed");
        ShellFixture f;
        f.writeLanguage(QStringLiteral("EN"),
            {{"Report_None", "None"}, {"Report_Yes", "\u306f\u3044"}, {"Report_No", "No"},
                {"Summary_StaticIP", "Fixed"}});
        f.l10n->setLanguage(QStringLiteral("EN"));
        TVexorReply nvr {};
        std::memcpy(nvr.modelName, "HRX-540A\x01", 9);
        std::memset(nvr.firmwareVersion, '7', sizeof nvr.firmwareVersion); // no NUL: the field's width is the end
        const uint8_t mac[] {0x00, 0x1c, 0x27, 0xab, 0xcd, 0xef}, ip[] {192, 0, 2, 11};
        std::memcpy(nvr.macAddress, mac, 6);
        std::memcpy(nvr.ipAddress, ip, 4);
        SetupReport report;
        report.setRecorder(nvr);
        report.administrator = QStringLiteral("<b>admin</b> & co");
        report.timeZone = QStringLiteral("(GMT+01:00) Z\u00fcrich");
        report.disks = {{1, QStringLiteral("WD Purple"), QStringLiteral("953869 MB"), true}};
        report.deviceNumber = QStringLiteral("N-4711");
        report.date = QDateTime(QDate(2026, 3, 4), QTime(5, 6));
        report.version = QStringLiteral("2.0.1");

        QTemporaryDir dir;
        QCOMPARE(report.pathFor(dir.path()),
            dir.filePath(QStringLiteral("HRX-540A-report-00-1C-27-AB-CD-EF-2026-03-04.pdf")));
        QCOMPARE(report.pathFor(dir.filePath(QStringLiteral("mine.pdf"))), dir.filePath(QStringLiteral("mine.pdf")));
        const QString path = report.pathFor(dir.path() + QLatin1Char('/'));
        QString error;
        QVERIFY2(writeReportPdf(report, *f.l10n, path, &error), qPrintable(error));
        const QString text = run(pdftotext, {QStringLiteral("-raw"), path, QStringLiteral("-")}).simplified();
        for (const QString &fact :
            {QStringLiteral("2026-03-04 05:06"), QStringLiteral("V2.0.1"), QStringLiteral("HRX-540A?"),
                QString(32, QLatin1Char('7')), QStringLiteral("00:1c:27:ab:cd:ef"), QStringLiteral("192.0.2.11"),
                QStringLiteral("Fixed"), QStringLiteral("<b>admin</b> & co"), QStringLiteral("Z\u00fcrich"),
                QStringLiteral("1 WD Purple 953869 MB \u306f\u3044"), QStringLiteral("SetupCam_Title None"),
                QStringLiteral("N-4711"), QStringLiteral("E-mail: \u2014"), QStringLiteral("Report_Registered No")})
            QVERIFY2(text.contains(fact), qPrintable(fact + QStringLiteral(" in: ") + text));
        QVERIFY2(!text.contains(QString(33, QLatin1Char('7'))), qPrintable(text));
    }

    // Each page or document goes to xdg-open; only when it ends in failure
    // (no program for the address) is the user told where to go by hand.
    void whatCannotBeOpenedIsNamed_data() { rows<int>({"exitCode"}, {{"opened", 0}, {"no program for it", 3}}); }
    void whatCannotBeOpenedIsNamed()
    {
        QFETCH(int, exitCode);
        ShellFixture f;
        f.writeLanguage(
            QStringLiteral("EN"), {{"APP_OpenFailed", "Nothing here opens it:"}, {"Button Close", "Close"}});
        QTemporaryDir bin;
        QVERIFY(writeRecordingXdgOpen(bin.path(), exitCode));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        qputenv("RECORD", QFile::encodeName(bin.filePath(QStringLiteral("record"))));
        DesktopUrlOpener desktop;
        WizardContext context {f.notifications, *f.l10n, f.modal, desktop, {}};
        AppDelegate shell(context);
        shell.awakeFromNib();
        shell.onSupportClicked();
        shell.onManualClicked();
        // Both openers have ended and been reaped, so their exit status is heard.
        const auto openersRunning = [] {
            QFile children(QStringLiteral("/proc/self/task/%1/children").arg(QCoreApplication::applicationPid()));
            return !children.open(QIODevice::ReadOnly) || !children.readAll().isEmpty();
        };
        QTRY_VERIFY(!openersRunning());
        qputenv("PATH", path);
        QFile record(bin.filePath(QStringLiteral("record")));
        QVERIFY(record.open(QIODevice::ReadOnly));
        QStringList opened = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        opened.sort();
        // The manual by its path, as a file manager shows it, then the support page.
        QCOMPARE(opened.size(), 2);
        QVERIFY2(opened.at(0).endsWith(QLatin1String(".pdf")) && opened.at(1).startsWith(QLatin1String("http")),
            qPrintable(opened.join(QLatin1Char(' '))));
        QStringList alerts;
        for (const QString &address : opened)
            alerts << QStringLiteral("alert:Nothing here opens it:\n") + address;
        QStringList shown = f.modal.shown();
        shown.sort();
        QCOMPARE(shown, exitCode ? alerts : QStringList());
    }

    void finishAndCloseTerminate()
    {
        ShellFixture f;
        QSignalSpy terminate(f.shell.get(), &AppDelegate::terminateRequested);
        QSignalSpy minimize(f.shell.get(), &AppDelegate::minimizeRequested);
        f.shell->contentSummaryViewController().setDelegate(f.shell.get(), {}, {}, {});
        f.shell->contentSummaryViewController().onFinishClicked();
        f.shell->winClose();
        f.shell->winMin();
        QCOMPARE(terminate.count(), 2);
        QCOMPARE(minimize.count(), 1);
    }

    // Leaving a recorder half set up asks first, naming the steps done; the
    // summary reached, nothing is asked.
    void exitMidSetupAsks()
    {
        ShellFixture f;
        f.writeLanguage(
            QStringLiteral("EN"), {{"SetupSetPwd_Title", "Password"}, {"SetupTimeZone_Title", "Time zone"}});
        f.shell->awakeFromNib();
        QSignalSpy terminate(f.shell.get(), &AppDelegate::terminateRequested);
        f.shell->showSetupView();
        f.shell->winClose(); // nothing done yet
        QCOMPARE(terminate.count(), 1);
        SetupView &setup = f.shell->contentSetupViewController();
        setup.setupPasswordNext(QStringLiteral("pw"));
        setup.setupTimeZoneNext();
        setup.setupHddNext(); // skipped: nothing formatted
        QStringList named;
        bool leave = false;
        f.modal.setScript<DiagExit>([&](DiagExit &ask) {
            named = ask.lbStepsDone();
            leave ? ask.btLeave() : ask.btStay();
        });
        f.shell->winClose();
        QCOMPARE(named, (QStringList {QStringLiteral("Password"), QStringLiteral("Time zone")}));
        QCOMPARE(terminate.count(), 1);
        leave = true;
        f.shell->winClose();
        QCOMPARE(terminate.count(), 2);
        setup.skipNimboraNext();
        f.shell->winClose();
        QCOMPARE(terminate.count(), 3);
        QCOMPARE(f.modal.shown().count(QStringLiteral("dialog:DiagExit")), 2);
    }
};

QTEST_MAIN(ShellFlowTest)
#include "tst_shellflow.moc"
