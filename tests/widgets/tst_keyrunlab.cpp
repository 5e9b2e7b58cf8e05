// The whole run in the real window with the keyboard alone, against a
// simulated recorder and portal in the network lab: every key goes to the
// widget that has the focus, as a person's would; no mouse and no call into a
// page. Welcome, the guide, the search, a new password, the time zone, the
// disks, the cameras (one given a password in its floating dialog), the cloud
// account and the summary, to Finish.
#include "LabEnv.h"
#include "WholeWindow.h"
#include "app/SetupView.h"
#include "app/core/HMLocalization.h"
#include "platform/Durations.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SelectCamView.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

constexpr int kWaitMs = 20000;
// More than every stop of the window's Tab chain.
constexpr int kMostTabs = 60;

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
}

bool focusIs(const char *name)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && focus->objectName() == QLatin1String(name) && focus->isVisible() && focus->isEnabled();
}

void press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Tab until the named control has the focus; false when a whole round of
// the window's chain never reaches it.
bool tabTo(const char *name)
{
    for (int tab = 0; tab < kMostTabs && !focusIs(name); ++tab)
        press(Qt::Key_Tab);
    return focusIs(name);
}

// Waits until the named control is shown and enabled, then tabs to it.
bool tabToWhenReady(QWidget &window, const char *name)
{
    const auto ready = [&] {
        for (const QWidget *w : window.findChildren<QWidget *>(QString::fromLatin1(name))) {
            if (w->isVisible() && w->isEnabled())
                return true;
        }
        return false;
    };
    return QTest::qWaitFor(ready, kWaitMs) && tabTo(name);
}

// The named page once the window shows it (pages are made when first shown).
QWidget *pageShown(QWidget &window, const char *name)
{
    QWidget *page = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] { return (page = window.findChild<QWidget *>(QString::fromLatin1(name))) && page->isVisible(); }, kWaitMs);
    return shown ? page : nullptr;
}

} // namespace

class KeyRunLabTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root;

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(0.1));
        HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN"));
    }

    void welcomeToFinishByKeys()
    {
        SimProcess sim;
        const QJsonObject recorder = wholeRunRecorder();
        QVERIFY(startWholeRun(sim, recorder));

        WholeWindow whole(root.filePath(QStringLiteral("home")));
        AppDelegate &shell = whole.shell;
        const UserFolders &folders = whole.folders;
        std::unique_ptr<MainWindow> &window = whole.window;
        QApplication::setActiveWindow(window.get());
        QSignalSpy finished(&shell, &AppDelegate::terminateRequested);
        shell.awakeFromNib();
        const auto shownStep = [&] { return shell.lbSteps(); };

        // Welcome: the language list has the focus; Return starts.
        QTRY_VERIFY2_WITH_TIMEOUT(focusIs("cbSelectLanguage"), qPrintable(focusName()), kWaitMs);
        press(Qt::Key_Return);
        // The guide: Return is Next on each of its pages.
        for (int page = 0; page < 8 && shell.contentBox().current() != &shell.contentSetupViewController(); ++page) {
            QTRY_VERIFY2_WITH_TIMEOUT(focusIs("btnNext"), qPrintable(focusName()), kWaitMs);
            press(Qt::Key_Return);
        }
        QVERIFY(shell.contentBox().current() == &shell.contentSetupViewController());

        // The search: Tab into the recorder list, whose first row the focus
        // picks; Return is Next.
        QWidget *recorders = pageShown(*window, "searchNvrPage");
        QVERIFY(recorders);
        QTRY_VERIFY_WITH_TIMEOUT(
            recorders->findChild<QTableWidget *>(QStringLiteral("tableView"))->rowCount() > 0, kWaitMs);
        QVERIFY2(tabToWhenReady(*recorders, "btNext"), qPrintable(focusName()));
        QVERIFY2(tabTo("tableView"), qPrintable(focusName()));
        QCOMPARE(shell.contentSetupViewController().searchNvrViewController().selectNvrView().selectedRow(), 0);
        press(Qt::Key_Return);

        // A new password, typed twice; Return in the second field sends it.
        QTRY_VERIFY2_WITH_TIMEOUT(focusIs("edPassword"), qPrintable(focusName()), kWaitMs);
        type(QStringLiteral("Str0ngpass1"));
        press(Qt::Key_Tab);
        QVERIFY2(focusIs("edConfirmPassword"), qPrintable(focusName()));
        type(QStringLiteral("Str0ngpass1"));
        press(Qt::Key_Return);

        // The time zone as the recorder has it: Return is Next once it may be.
        QWidget *timeZone = pageShown(*window, "timeZonePage");
        QVERIFY(timeZone);
        QVERIFY2(tabToWhenReady(*timeZone, "btNext"), qPrintable(focusName()));
        press(Qt::Key_Return);

        // The disks left as they are: Tab to Skip, Space.
        QWidget *disks = pageShown(*window, "hddPage");
        QVERIFY(disks);
        QVERIFY2(tabToWhenReady(*disks, "btSkip"), qPrintable(focusName()));
        press(Qt::Key_Space);

        // The cameras: in the list, the first row, whose password the
        // recorder knows, picked with Space; Return is Next.
        QWidget *cameraPage = pageShown(*window, "searchCamPage");
        QVERIFY(cameraPage);
        auto *cameras = cameraPage->findChild<QTableWidget *>(QStringLiteral("tableView"));
        QTRY_VERIFY_WITH_TIMEOUT(cameras->rowCount() == 2, kWaitMs);
        QCOMPARE(shownStep(), QStringLiteral("8/10"));
        QVERIFY2(tabToWhenReady(*cameraPage, "btNext"), qPrintable(focusName()));
        QVERIFY2(tabTo("tableView"), qPrintable(focusName()));
        for (int up = 0; up < 2 && cameras->currentRow() != 0; ++up)
            press(cameras->currentRow() > 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(cameras->currentRow(), 0);
        press(Qt::Key_Space);
        Setup_SelectCamView &list
            = shell.contentSetupViewController().searchCamViewController().selectCamViewController();
        QVERIFY(list.rowPicked(0));
        // The second has no password yet: Space floats its dialog, which takes
        // the keys; the new password twice, Return saves, the keys come back.
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        QTRY_VERIFY2_WITH_TIMEOUT(focusIs("edNewPwd"), qPrintable(focusName()), kWaitMs);
        type(QStringLiteral("Cam-pass1"));
        press(Qt::Key_Tab);
        QVERIFY2(focusIs("edRePwd"), qPrintable(focusName()));
        type(QStringLiteral("Cam-pass1"));
        press(Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(list.rowPicked(1), kWaitMs);
        // The list was disabled under the dialog, so the keys come back to the
        // page's next control; Return is still Next.
        QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() && cameraPage->isAncestorOf(QApplication::focusWidget()),
            qPrintable(focusName()), kWaitMs);
        press(Qt::Key_Return);

        // The cloud account, signing in with an existing one: the mail, the
        // password, Return.
        QWidget *cloud = pageShown(*window, "nimboraContentView");
        QVERIFY(cloud);
        QCOMPARE(shownStep(), QStringLiteral("9/10"));
        QVERIFY2(tabToWhenReady(*cloud, "edMail"), qPrintable(focusName()));
        type(QStringLiteral("owner@example.com"));
        press(Qt::Key_Tab);
        QVERIFY2(focusIs("edPassword"), qPrintable(focusName()));
        type(QStringLiteral("Cloud-pw1"));
        press(Qt::Key_Return);

        // The summary once the recorder has said its cloud state; Tab to
        // Finish, Return.
        QWidget *summary = pageShown(*window, "summaryPage");
        QVERIFY(summary);
        auto *check = summary->findChild<QCheckBox *>(QStringLiteral("btCheck"));
        QTRY_VERIFY_WITH_TIMEOUT(check->isEnabled(), kWaitMs);
        QCOMPARE(shownStep(), QStringLiteral("10/10"));
        QVERIFY(check->isChecked());
        QVERIFY2(tabTo("btFinish"), qPrintable(focusName()));
        press(Qt::Key_Return);
        QCOMPARE(finished.size(), 1);

        checkWholeRunLeft(sim, recorder, folders, QStringLiteral("Cam-pass1"));
        window.reset();
    }
};

QTEST_MAIN(KeyRunLabTest)
#include "tst_keyrunlab.moc"
