// The whole run in the real window against the lab's simulated recorder and
// portal: once by clicks, once by keys alone (no mouse, no call into a page).
#include "KeyFocus.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "WidgetsFixture.h"
#include "app/AppDelegate.h"
#include "app/SetupView.h"
#include "platform/Durations.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_SelectCamView.h"
#include "widgets/MainWindow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include <memory>

namespace {

constexpr int kWaitMs = 20000;

// The window as window mode shows it, its folders under home.
struct WholeWindow : WidgetsFixture
{
    explicit WholeWindow(const QString &home)
        : WidgetsFixture({home, home + QStringLiteral("/Desktop"), home + QStringLiteral("/Documents"),
            home + QStringLiteral("/Library/Application Support")})
    {
        window = std::make_unique<MainWindow>(shell, context, factory);
        modal.setMainWindow(window.get());
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    AppDelegate shell {context};
    std::unique_ptr<MainWindow> window;
    QSignalSpy finished {&shell, &AppDelegate::terminateRequested};
};

// Waits until the named control is shown and enabled in `in`, then tabs to it.
bool tabToWhenReady(QWidget &in, const char *name)
{
    const auto ready = [&] {
        QWidget *w = shown(in, name);
        return w && w->isEnabled();
    };
    return QTest::qWaitFor(ready, kWaitMs) && tabTo(name);
}

} // namespace

class WindowRunLabTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root;
    SimProcess sim;
    // A new recorder, a camera whose password it knows and one without any.
    const QJsonObject recorder = SimProcess::withCameras(SimProcess::recorder(0),
        {SimProcess::camera(0, QStringLiteral("1"), QStringLiteral("Ix-pass1")),
            SimProcess::camera(1, QStringLiteral("0"), QString())});
    std::unique_ptr<WholeWindow> whole;

    // The named page or control once shown (pages are made when first shown).
    template<typename T = QWidget> T *shownSoon(const char *name) const
    {
        T *w = nullptr;
        return QTest::qWaitFor([&] { return (w = shown<T>(*whole->window, name)); }, kWaitMs) ? w : nullptr;
    }
    // Waits until the named button is shown and enabled, then clicks it.
    bool click(const char *name)
    {
        QPushButton *button = nullptr;
        const bool ready = QTest::qWaitFor(
            [&] { return (button = shown<QPushButton>(*whole->window, name)) && button->isEnabled(); }, kWaitMs);
        if (ready)
            QTest::mouseClick(button, Qt::LeftButton);
        return ready;
    }
    bool type(const char *name, const QString &text)
    {
        QLineEdit *edit = nullptr;
        if (!QTest::qWaitFor(
                [&] { return (edit = shown<QLineEdit>(*whole->window, name)) && edit->isEnabled(); }, kWaitMs))
            return false;
        QTest::keyClicks(edit, text);
        return true;
    }
    // From inside a dialog's own loop: its button pressed once it is ready.
    void pressWhenShown(
        const char *dialog, const char *button, bool *pressed,
        const std::function<bool(QWidget &)> &ready = [](QWidget &) { return true; })
    {
        const auto top = [=]() -> QWidget * {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QLatin1String(dialog) && w->isVisible() && ready(*w))
                    return w;
            }
            return nullptr;
        };
        onceReady(
            this, [=] { return top(); },
            [=] {
                *pressed = true;
                QTest::mouseClick(top()->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
            });
    }
    // Finish ended the program once; the recorder and folders hold what the
    // run set up (the second camera left out when secondCamera is empty).
    void checkFinishedAndLeft(const QString &secondCamera)
    {
        QCOMPARE(whole->finished.size(), 1);
        const UserFolders &folders = whole->context.folders;
        QVERIFY(QFileInfo::exists(folders.desktop + QStringLiteral("/HRX-540A(10000001).app")));
        QVERIFY(QFileInfo::exists(folders.desktop + QStringLiteral("/HRX-540A(10000001).desktop")));
        QVERIFY(QFileInfo::exists(
            folders.applicationSupport + QStringLiteral("/SetupWizard 540/nimboraInfo(10000001).plist")));
        const QJsonObject state = sim.stateOf(SimProcess::macOf(recorder));
        QCOMPARE(state.value("password").toString(), QStringLiteral("Str0ngpass1"));
        QCOMPARE(state.value("registration")["email"].toString(), QStringLiteral("owner@example.com"));
        const QJsonArray channels = state.value("channels").toArray();
        QCOMPARE(channels.at(0)["password"].toString(), QStringLiteral("Ix-pass1"));
        if (secondCamera.isEmpty())
            QVERIFY(!channels.at(1)["used"].toBool());
        else
            QCOMPARE(channels.at(1)["password"].toString(), secondCamera);
    }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(0.1));
        HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN"));
    }
    void init()
    {
        QVERIFY(sim.startScaled(SimProcess::withPortalAccount(SimProcess::scenario({recorder}),
                                    QStringLiteral("owner@example.com"), QStringLiteral("Cloud-pw1")),
            0.1));
        whole = std::make_unique<WholeWindow>(root.filePath(QString::fromLatin1(QTest::currentTestFunction())));
        whole->shell.awakeFromNib();
    }
    void cleanup()
    {
        whole.reset();
        sim.stop();
    }

    void welcomeToFinishByKeys()
    {
        AppDelegate &shell = whole->shell;
        // Welcome: the language list has the focus; Return starts.
        QTRY_VERIFY2_WITH_TIMEOUT(focusIs("cbSelectLanguage"), qPrintable(focusName()), kWaitMs);
        key(Qt::Key_Return);
        // The guide: Return is Next on each of its pages.
        for (int page = 0; page < 8 && shell.contentBox().current() != &shell.contentSetupViewController(); ++page) {
            QTRY_VERIFY2_WITH_TIMEOUT(focusIs("btnNext"), qPrintable(focusName()), kWaitMs);
            key(Qt::Key_Return);
        }

        // The search: the focus picks the list's first row; Return is Next.
        QWidget *recorders = shownSoon("searchNvrPage");
        QVERIFY(recorders);
        QTRY_VERIFY_WITH_TIMEOUT(
            recorders->findChild<QTableWidget *>(QStringLiteral("tableView"))->rowCount() > 0, kWaitMs);
        QVERIFY2(tabToWhenReady(*recorders, "btNext"), qPrintable(focusName()));
        QVERIFY2(tabTo("tableView"), qPrintable(focusName()));
        QCOMPARE(shell.contentSetupViewController().searchNvrViewController().selectNvrView().selectedRow(), 0);
        key(Qt::Key_Return);

        // A new password, typed twice; Return in the second field sends it.
        QTRY_VERIFY2_WITH_TIMEOUT(focusIs("edPassword"), qPrintable(focusName()), kWaitMs);
        QVERIFY2(typeTwoThenReturn("Str0ngpass1", "edConfirmPassword", "Str0ngpass1"), qPrintable(focusName()));

        // The time zone as the recorder has it; the disks skipped by Space.
        QWidget *timeZone = shownSoon("timeZonePage");
        QVERIFY2(timeZone && tabToWhenReady(*timeZone, "btNext"), qPrintable(focusName()));
        key(Qt::Key_Return);
        QWidget *disks = shownSoon("hddPage");
        QVERIFY2(disks && tabToWhenReady(*disks, "btSkip"), qPrintable(focusName()));
        key(Qt::Key_Space);

        // The cameras: the first, whose password the recorder knows, by Space.
        QWidget *cameraPage = shownSoon("searchCamPage");
        QVERIFY(cameraPage);
        auto *cameras = cameraPage->findChild<QTableWidget *>(QStringLiteral("tableView"));
        QTRY_VERIFY_WITH_TIMEOUT(cameras->rowCount() == 2, kWaitMs);
        QCOMPARE(shell.lbSteps(), QStringLiteral("8/10"));
        QVERIFY2(tabToWhenReady(*cameraPage, "btNext"), qPrintable(focusName()));
        QVERIFY2(tabTo("tableView"), qPrintable(focusName()));
        for (int up = 0; up < 2 && cameras->currentRow() != 0; ++up)
            key(cameras->currentRow() > 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(cameras->currentRow(), 0);
        key(Qt::Key_Space);
        Setup_SelectCamView &list
            = shell.contentSetupViewController().searchCamViewController().selectCamViewController();
        QVERIFY(list.rowPicked(0));
        // The second has no password yet: Space floats its dialog.
        key(Qt::Key_Down);
        key(Qt::Key_Space);
        QTRY_VERIFY2_WITH_TIMEOUT(focusIs("edNewPwd"), qPrintable(focusName()), kWaitMs);
        QVERIFY2(typeTwoThenReturn("Cam-pass1", "edRePwd", "Cam-pass1"), qPrintable(focusName()));
        QTRY_VERIFY_WITH_TIMEOUT(list.rowPicked(1), kWaitMs);
        // The list was disabled under the dialog: the keys come back further on.
        QTRY_VERIFY2_WITH_TIMEOUT(focus() && cameraPage->isAncestorOf(focus()), qPrintable(focusName()), kWaitMs);
        key(Qt::Key_Return);

        // The cloud account: signing in with an existing one.
        QWidget *cloud = shownSoon("nimboraContentView");
        QVERIFY(cloud);
        QCOMPARE(shell.lbSteps(), QStringLiteral("9/10"));
        QVERIFY2(tabToWhenReady(*cloud, "edMail"), qPrintable(focusName()));
        QVERIFY2(typeTwoThenReturn("owner@example.com", "edPassword", "Cloud-pw1"), qPrintable(focusName()));

        // The summary once the recorder has said its cloud state.
        QCheckBox *check = shownSoon<QCheckBox>("btCheck");
        QVERIFY(check);
        QTRY_VERIFY_WITH_TIMEOUT(check->isEnabled(), kWaitMs);
        QCOMPARE(shell.lbSteps(), QStringLiteral("10/10"));
        QVERIFY(check->isChecked());
        QVERIFY2(tabTo("btFinish"), qPrintable(focusName()));
        key(Qt::Key_Return);
        checkFinishedAndLeft(QStringLiteral("Cam-pass1"));
    }

    void welcomeToFinish()
    {
        AppDelegate &shell = whole->shell;
        QVERIFY(click("btnStart"));
        // The guide: Next until the setup page comes.
        for (int i = 0; i < 8 && shell.contentBox().current() != &shell.contentSetupViewController(); ++i)
            QVERIFY(click("btnNext"));

        // The search lists the recorder; its row is picked.
        QTableWidget *table = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] { return (table = shown<QTableWidget>(*whole->window, "tableView")) && table->rowCount() > 0; },
            kWaitMs));
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
        QVERIFY(shownSoon("timeZonePage"));
        QVERIFY(click("btNext"));
        QVERIFY(shownSoon("hddPage"));
        // Bay 1's drive marked, the empty bay without a format button; Cancel
        // in a mark's format dialog returns to the table.
        QTableWidget *bays = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] {
                QPushButton *skip = shown<QPushButton>(*whole->window, "btSkip");
                return skip && skip->isEnabled() && (bays = shown<QTableWidget>(*whole->window, "tableView"))
                    && bays->rowCount() == 2;
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
        QWidget *cameraPage = shownSoon("searchCamPage");
        QVERIFY(cameraPage);
        auto *cameras = cameraPage->findChild<QTableWidget *>(QStringLiteral("tableView"));
        QTRY_VERIFY_WITH_TIMEOUT(cameras->rowCount() == 2, kWaitMs);
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
        QRadioButton *signIn = shownSoon<QRadioButton>("btAlreadyHave");
        QVERIFY(signIn && signIn->isChecked());
        QVERIFY(type("edMail", QStringLiteral("owner@example.com")));
        QVERIFY(type("edPassword", QStringLiteral("Cloud-pw1")));
        QVERIFY(click("btNext"));

        // The summary, once the recorder has said its cloud state.
        QCheckBox *check = shownSoon<QCheckBox>("btCheck");
        QVERIFY(check);
        QTRY_VERIFY_WITH_TIMEOUT(check->isEnabled(), kWaitMs);
        QVERIFY(check->isChecked());
        QCOMPARE(shown<QLabel>(*whole->window, "edMail")->text(), QStringLiteral("owner@example.com"));
        QVERIFY(click("btGotoNvr"));
        QCOMPARE(whole->urls.opened().value(0), QUrl(QStringLiteral("http://%1:80").arg(SimProcess::ipOf(recorder))));
        QVERIFY(click("btFinish"));
        checkFinishedAndLeft(QString());
    }
};

QTEST_MAIN(WindowRunLabTest)
#include "tst_windowrunlab.moc"
