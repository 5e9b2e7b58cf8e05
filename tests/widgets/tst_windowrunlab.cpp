// The whole run in the real window, from the welcome page to Finish, against a
// simulated recorder and portal in the network lab: each page is answered by
// clicks and typing on its widgets, as a person would, under a home folder of
// its own; the recorder ends registered and recording, the summary's items
// are on the desktop, and Finish asks the program to end.
#include "LabEnv.h"
#include "WholeWindow.h"
#include "app/SetupView.h"
#include "app/core/HMLocalization.h"
#include "platform/Durations.h"

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

    void welcomeToFinish()
    {
        SimProcess sim;
        const QJsonObject recorder = wholeRunRecorder();
        QVERIFY(startWholeRun(sim, recorder));

        WholeWindow whole(root.filePath(QStringLiteral("home")));
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
