// The whole run in the real window, from the welcome page to Finish, against a
// simulated recorder and portal in the network lab, under a home folder of its
// own: once by clicks and typing on the widgets, once by the keyboard alone
// (every key goes to the widget that has the focus; no mouse and no call into
// a page, a camera given its password in its floating dialog). The recorder
// ends registered and recording, the summary's items are on the desktop, and
// Finish asks the program to end.
#include "LabEnv.h"
#include "WholeWindow.h"
#include "app/SetupView.h"
#include "app/core/HMLocalization.h"
#include "platform/Durations.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SelectCamView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

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

void typeKeys(const QString &text)
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

class WindowRunLabTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root;
    std::unique_ptr<MainWindow> window;

    // The one widget of that name the window shows now; null when none.
    template<typename T> T *shown(const char *name) const
    {
        for (T *w : window->findChildren<T *>(QString::fromLatin1(name))) {
            if (w->isVisible())
                return w;
        }
        return nullptr;
    }
    // Waits until the named button is shown and enabled, then clicks it.
    bool click(const char *name)
    {
        QPushButton *button = nullptr;
        const bool ready = QTest::qWaitFor(
            [&] {
                button = shown<QPushButton>(name);
                return button && button->isEnabled();
            },
            kWaitMs);
        if (ready)
            QTest::mouseClick(button, Qt::LeftButton);
        return ready;
    }
    bool type(const char *name, const QString &text)
    {
        QLineEdit *edit = nullptr;
        if (!QTest::qWaitFor([&] { return (edit = shown<QLineEdit>(name)) && edit->isEnabled(); }, kWaitMs))
            return false;
        QTest::keyClicks(edit, text);
        return true;
    }

    // From inside a dialog's own loop: once the dialog of that name shows and
    // is ready, its named button is pressed.
    void pressWhenShown(
        const char *dialog, const char *button, bool *pressed,
        const std::function<bool(QWidget &)> &ready = [](QWidget &) { return true; })
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [=] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top->objectName() == QLatin1String(dialog) && top->isVisible() && ready(*top)) {
                    poll->deleteLater();
                    poll->stop();
                    *pressed = true;
                    QTest::mouseClick(top->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
                    return;
                }
            }
        });
        poll->start(20);
    }

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

        WholeWindow whole(root.filePath(QStringLiteral("keys")));
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
        typeKeys(QStringLiteral("Str0ngpass1"));
        press(Qt::Key_Tab);
        QVERIFY2(focusIs("edConfirmPassword"), qPrintable(focusName()));
        typeKeys(QStringLiteral("Str0ngpass1"));
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
        typeKeys(QStringLiteral("Cam-pass1"));
        press(Qt::Key_Tab);
        QVERIFY2(focusIs("edRePwd"), qPrintable(focusName()));
        typeKeys(QStringLiteral("Cam-pass1"));
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
        typeKeys(QStringLiteral("owner@example.com"));
        press(Qt::Key_Tab);
        QVERIFY2(focusIs("edPassword"), qPrintable(focusName()));
        typeKeys(QStringLiteral("Cloud-pw1"));
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

    void welcomeToFinish()
    {
        SimProcess sim;
        const QJsonObject recorder = wholeRunRecorder();
        QVERIFY(startWholeRun(sim, recorder));

        WholeWindow whole(root.filePath(QStringLiteral("clicks")));
        AppDelegate &shell = whole.shell;
        const UserFolders &folders = whole.folders;
        const RecordingUrlOpener &urls = whole.urls;
        window = std::move(whole.window);
        QSignalSpy finished(&shell, &AppDelegate::terminateRequested);
        shell.awakeFromNib();

        QVERIFY(click("btnStart"));
        // The guide: Next until the setup page comes.
        for (int i = 0; i < 8 && shell.contentBox().current() != &shell.contentSetupViewController(); ++i)
            QVERIFY(click("btnNext"));

        // The search lists the recorder; its row is picked.
        QTableWidget *table = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] { return (table = shown<QTableWidget>("tableView")) && table->rowCount() > 0; }, kWaitMs));
        // The recorder internet help opens its dialog over the list.
        bool helped = false;
        pressWhenShown("DiagCheckNVRInternet", "btOK", &helped);
        QVERIFY(click("btCheckNVRInternet"));
        QVERIFY(QTest::qWaitFor([&] { return helped; }, kWaitMs));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        QVERIFY(click("btNext"));

        // A new recorder gets its administrator password.
        QVERIFY(type("edPassword", QStringLiteral("Str0ngpass1")));
        QVERIFY(type("edConfirmPassword", QStringLiteral("Str0ngpass1")));
        QVERIFY(click("btNext"));
        // The time zone as the recorder has it; the disks left as they are.
        QVERIFY(QTest::qWaitFor([&] { return shown<QWidget>("timeZonePage"); }, kWaitMs));
        QVERIFY(click("btNext"));
        QVERIFY(QTest::qWaitFor([&] { return shown<QWidget>("hddPage"); }, kWaitMs));
        // Bay 1's drive marked, the empty bay without a format button; a
        // mark's button acts as Next, and Cancel in the format dialog returns
        // to the table.
        QTableWidget *bays = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] {
                QPushButton *skip = shown<QPushButton>("btSkip");
                return skip && skip->isEnabled() && (bays = shown<QTableWidget>("tableView")) && bays->rowCount() == 2;
            },
            kWaitMs));
        QVERIFY(qobject_cast<QCheckBox *>(bays->cellWidget(0, 0))->isChecked());
        QVERIFY(bays->cellWidget(1, 4)->findChild<QPushButton *>(QStringLiteral("btFormatDisk1"))->isHidden());
        bool cancelled = false;
        pressWhenShown("DiagHddFormat", "btCancel", &cancelled);
        QTest::mouseClick(bays->cellWidget(1, 0), Qt::LeftButton, {}, QPoint(8, bays->cellWidget(1, 0)->height() / 2));
        QVERIFY(QTest::qWaitFor([&] { return cancelled; }, kWaitMs));
        QVERIFY(click("btSkip"));
        // The cameras the recorder finds; the first, whose password it knows, picked.
        QTableWidget *cameras = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] {
                cameras = shown<QWidget>("searchCamPage") ? shown<QTableWidget>("tableView") : nullptr;
                return cameras && cameras->rowCount() == 2;
            },
            kWaitMs));
        QCOMPARE(shell.lbSteps(), QStringLiteral("8/10"));
        QTest::mouseClick(
            cameras->viewport(), Qt::LeftButton, {}, cameras->visualRect(cameras->model()->index(0, 0)).center());
        // Its preview opens level with its row, with the camera's image.
        auto *preview = cameras->cellWidget(0, 2)->findChild<QToolButton *>(QStringLiteral("btnPreview"));
        QVERIFY(preview && preview->isVisible());
        const QRect cell = cameras->visualRect(cameras->model()->index(0, 2));
        int placedTop = -1;
        bool previewed = false;
        pressWhenShown("DiagPreview", "btClose", &previewed, [&](QWidget &dialog) {
            placedTop = dialog.pos().y();
            return !dialog.findChild<QLabel *>(QStringLiteral("imageView"))->pixmap().isNull();
        });
        QTest::mouseClick(preview, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return previewed; }, kWaitMs));
        QCOMPARE(placedTop, cameras->viewport()->mapToGlobal(cell.topLeft()).y());
        QVERIFY(click("btNext"));

        // The cloud account: signing in with an existing one.
        QVERIFY(QTest::qWaitFor([&] { return shown<QWidget>("nimboraContentView"); }, kWaitMs));
        QCOMPARE(shell.lbSteps(), QStringLiteral("9/10"));
        QVERIFY(shown<QRadioButton>("btAlreadyHave")->isChecked());
        QVERIFY(type("edMail", QStringLiteral("owner@example.com")));
        QVERIFY(type("edPassword", QStringLiteral("Cloud-pw1")));
        QVERIFY(click("btNext"));

        // The summary, once the recorder has said its cloud state.
        QCheckBox *check = nullptr;
        QVERIFY(QTest::qWaitFor([&] { return (check = shown<QCheckBox>("btCheck")) && check->isEnabled(); }, kWaitMs));
        QCOMPARE(shell.lbSteps(), QStringLiteral("10/10"));
        QVERIFY(check->isChecked());
        QCOMPARE(shown<QLabel>("edMail")->text(), QStringLiteral("owner@example.com"));
        checkWholeRunLeft(sim, recorder, folders, QString());

        QVERIFY(click("btGotoNvr"));
        QCOMPARE(urls.opened().value(0), QUrl(QStringLiteral("http://%1:80").arg(SimProcess::ipOf(recorder))));
        QVERIFY(click("btFinish"));
        QCOMPARE(finished.size(), 1);
        window.reset();
    }
};

QTEST_MAIN(WindowRunLabTest)
#include "tst_windowrunlab.moc"
