#include "ShellFixture.h"

#include "app/DiagExit.h"
#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "platform/Log.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchNvrView.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

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
        QCOMPARE(f.shell->windowTitle(), QStringLiteral("HRX-540A Setup Wizard"));
        Log::setSink({});
    }

    void counterFollowsPageKeys_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("counter");
        const char *rows[][2] = {{"install0", "0/10"}, {"install1", "1/10"}, {"install2", "2/10"}, {"install3", "3/10"},
            {"searchNVR", "4/10"}, {"password", "5/10"}, {"hdd", "6/10"}, {"searchCAM", "8/10"}, {"nimbora", "9/10"},
            {"summary", "10/10"}, {"timeZone", "5/10"}, {"welcome", "5/10"}, {"bogus", "5/10"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }

    void counterFollowsPageKeys()
    {
        QFETCH(QString, steps);
        QFETCH(QString, counter);
        ShellFixture f;
        f.shell->awakeFromNib();
        // Start from the password step's value: keys that change nothing keep it.
        f.post(QStringLiteral("changeReminder"), QStringLiteral("steps"), QStringLiteral("password"));
        f.post(QStringLiteral("changeReminder"), QStringLiteral("steps"), steps);
        QCOMPARE(f.shell->lbSteps(), counter);
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
            {[&] { setup.setupSearchCamNext(QStringLiteral("A:B:none:none:none:none:none:none:none")); }, "nimbora",
                [&] { setup.setupNimboraBack(); }}};
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
        setup.skipNimboraNext(QStringLiteral("A:B:none:none:none:none:none:none:none"));
        QCOMPARE(f.currentPage(), QStringLiteral("summary"));
        QCOMPARE(f.shell->summaryInfo(),
            QStringList({"secret", "none", "none", "A", "B", "none", "none", "none", "none", "none", "none", "none"}));
        QCOMPARE(f.shell->contentSummaryViewController().summaryInfo(), f.shell->summaryInfo());

        // The reset note of the password step leads back to the welcome page.
        f.shell->showSetupView();
        setup.setupPasswordGotoSearchNvr();
        QCOMPARE(f.currentPage(), QStringLiteral("welcome"));
    }

    void cameraSlots_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("cams");
        QTest::addColumn<QString>("after");
        const QString nine = QStringLiteral("1:2:3:4:5:6:7:8:9");
        QTest::newRow("three fields keep the rest")
            << nine << QStringLiteral("a:b:c") << QStringLiteral("a:b:c:4:5:6:7:8:9");
        QTest::newRow("nine fields") << nine << QStringLiteral("a:b:c:d:e:f:g:h:i")
                                     << QStringLiteral("a:b:c:d:e:f:g:h:i");
        QTest::newRow("no string clears")
            << nine << QString() << QStringLiteral("none:none:none:none:none:none:none:none:none");
        QTest::newRow("ten fields change nothing") << nine << QStringLiteral("a:b:c:d:e:f:g:h:i:j") << nine;
    }

    void cameraSlots()
    {
        QFETCH(QString, before);
        QFETCH(QString, cams);
        QFETCH(QString, after);
        ShellFixture f;
        SetupView &setup = f.shell->contentSetupViewController();
        setup.getAllSelectedCams(before);
        setup.getAllSelectedCams(cams);
        QCOMPARE(setup.selectedCams().join(QLatin1Char(':')), after);
    }

    void cloudAccountSplitsAtColons()
    {
        ShellFixture f;
        f.shell->awakeFromNib();
        f.shell->showSetupView();
        SetupView &setup = f.shell->contentSetupViewController();
        setup.setupPasswordNext(QStringLiteral("pw"));
        setup.getAllSelectedCams(QStringLiteral("none:none:none:none:none:none:none:none:none"));
        setup.setupNimboraNext(QStringLiteral("me@example.com:cloud:extra"));
        QCOMPARE(setup.nimboraEmail(), QStringLiteral("me@example.com"));
        QCOMPARE(setup.nimboraPassword(), QStringLiteral("cloud"));
        QCOMPARE(f.shell->summaryInfo().mid(0, 3), QStringList({"pw", "me@example.com", "cloud"}));
        QCOMPARE(f.shell->summaryInfo().size(), 12);
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

    // xdg-open starts but finds no program for the address: the user is told
    // where to go by hand.
    void whatCannotBeOpenedIsNamed()
    {
        ShellFixture f;
        f.writeLanguage(
            QStringLiteral("EN"), {{"APP_OpenFailed", "Nothing here opens it:"}, {"Button Close", "Close"}});
        QTemporaryDir bin;
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n");
        opener.close();
        QVERIFY(opener.setPermissions(opener.permissions() | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        DesktopUrlOpener desktop;
        WizardContext context {f.notifications, *f.l10n, f.modal, desktop, {}};
        AppDelegate shell(context);
        shell.awakeFromNib();
        shell.onSupportClicked();
        shell.onManualClicked();
        QTRY_COMPARE(f.modal.shown().size(), 2);
        qputenv("PATH", path);
        // A document is named by its path, as a file manager shows it.
        QStringList shown = f.modal.shown();
        shown.sort();
        QVERIFY2(shown.at(0).startsWith(QLatin1String("alert:Nothing here opens it:\n/")), qPrintable(shown.at(0)));
        QVERIFY(shown.at(0).endsWith(QLatin1String(".pdf")));
        QVERIFY2(shown.at(1).startsWith(QLatin1String("alert:Nothing here opens it:\nhttp")), qPrintable(shown.at(1)));
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
        f.modal.setScript(QStringLiteral("DiagExit"), [&](DialogController &d) {
            auto &ask = static_cast<DiagExit &>(d);
            named = ask.lbStepsDone();
            leave ? ask.btLeave() : ask.btStay();
        });
        f.shell->winClose();
        QCOMPARE(named, (QStringList {QStringLiteral("Password"), QStringLiteral("Time zone")}));
        QCOMPARE(terminate.count(), 1);
        leave = true;
        f.shell->winClose();
        QCOMPARE(terminate.count(), 2);
        setup.skipNimboraNext(QString());
        f.shell->winClose();
        QCOMPARE(terminate.count(), 3);
        QCOMPARE(f.modal.shown().count(QStringLiteral("dialog:DiagExit")), 2);
    }
};

QTEST_GUILESS_MAIN(ShellFlowTest)
#include "tst_shellflow.moc"
