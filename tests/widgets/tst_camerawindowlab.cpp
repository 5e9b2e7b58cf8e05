// The wizard's real window, its controllers and widgets, against a simulated
// recorder and cameras in the network lab: from the disk step into the camera
// step and on to the cloud step, each step with its page; in the camera page a click picks a
// camera, the password dialog floats above the window that stays usable and
// takes the typed password, and the preview opens beside its row with the
// camera's image.
#include "LabEnv.h"
#include "SimProcess.h"
#include "app/AppDelegate.h"
#include "app/core/HMLocalization.h"
#include "app/SetupView.h"
#include "platform/Durations.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_TimeZoneView.h"
#include "widgets/MainWindow.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"
#include "widgets/WidgetModalHost.h"
#include "widgets/WizardStyle.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr double kScale = 0.1;
constexpr int kWaitMs = 15000;

QDialog *shownDialog(const QString &kind)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == kind && top->isVisible())
            return qobject_cast<QDialog *>(top);
    }
    return nullptr;
}

} // namespace

class CameraWindowLabTest : public QObject
{
    Q_OBJECT

private:
    WidgetFactory factory;
    NotificationCenter notifications;
    std::unique_ptr<WidgetModalHost> modal;
    RecordingUrlOpener urls;
    std::unique_ptr<WizardContext> context;
    std::unique_ptr<AppDelegate> shell;
    std::unique_ptr<MainWindow> window;

    SetupView &setup() { return shell->contentSetupViewController(); }
    QString shownStep()
    {
        PageController *step = setup().setupBox().current();
        return step ? step->pageKey() : QString();
    }
    // What the setup page's step box shows: the step page's name, or nothing
    // when no page stands for the step.
    QString shownPage()
    {
        auto *box = window->findChild<QStackedWidget *>(QStringLiteral("setupBox"));
        return box && box->currentWidget() ? box->currentWidget()->objectName() : QString();
    }
    template<typename T> T *inPage(const char *name)
    {
        auto *box = window->findChild<QStackedWidget *>(QStringLiteral("setupBox"));
        return box->currentWidget()->findChild<T *>(QString::fromLatin1(name));
    }
    void click(QTableWidget *table, int row, int column)
    {
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void initTestCase()
    {
        applyWizardStyle(*qApp);
        registerAllWidgets(factory);
        setDurations(Durations().scaled(kScale));
    }

    void walksFromTheDisksThroughTheCameras()
    {
        NVR_REQUIRE_LAB();
        SimProcess sim;
        sim.setTimeScale(kScale);
        QJsonObject unknown = SimProcess::camera(1, QStringLiteral("0"), QString());
        unknown.insert(QStringLiteral("user"), QString());
        unknown.insert(QStringLiteral("adminPassword"), QStringLiteral("Zb-pass1"));
        const QJsonObject recorder = SimProcess::withCameras(SimProcess::recorder(0),
            {SimProcess::camera(0, QStringLiteral("1"), QStringLiteral("Ix-pass1")), unknown,
                SimProcess::camera(2, QStringLiteral("1"), QString())});
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        modal = std::make_unique<WidgetModalHost>(factory);
        context.reset(new WizardContext {notifications, HMLocalization::sharedInstance(), *modal, urls, {}});
        shell = std::make_unique<AppDelegate>(*context);
        window = std::make_unique<MainWindow>(*shell, *context, factory);
        modal->setMainWindow(window.get());
        window->show();
        shell->awakeFromNib();
        shell->showInstallView();
        shell->showSetupView();

        // Search, a new password, the recorder's time zone: as in the other steps' tests.
        Setup_SearchNvrView &search = setup().searchNvrViewController();
        QVERIFY(QTest::qWaitFor([&] { return !search.isSearching(); }, kWaitMs));
        search.selectNvrView().selectRow(0);
        search.onNextClicked();
        Setup_PasswordView &password = setup().passwordViewController();
        QVERIFY(QTest::qWaitFor([&] { return !password.overlayShown(); }, kWaitMs));
        password.setForm().setPasswordText(QStringLiteral("Str0ngpass1"));
        password.setForm().setConfirmText(QStringLiteral("Str0ngpass1"));
        password.onNextClicked();
        Setup_TimeZoneView &timeZone = setup().timeZoneViewController();
        QVERIFY(
            QTest::qWaitFor([&] { return shownStep() == timeZone.pageKey() && timeZone.btNextEnabled(); }, kWaitMs));
        timeZone.onNextClicked();

        // The disk step's page, left by its own Skip button.
        QVERIFY(QTest::qWaitFor([&] { return shownStep() == QLatin1String("hdd"); }, kWaitMs));
        QCOMPARE(shownPage(), QStringLiteral("hddPage"));
        auto *skip = inPage<QPushButton>("btSkip");
        QVERIFY(QTest::qWaitFor([&] { return skip->isEnabled(); }, kWaitMs));
        skip->click();
        QVERIFY(QTest::qWaitFor([&] { return shownStep() == Setup_SearchCamView::kPageKey; }, kWaitMs));
        QCOMPARE(shownPage(), QStringLiteral("searchCamPage"));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lbSteps"))->text(), QStringLiteral("8/10"));

        // The list once the recorder has found its cameras.
        auto *next = inPage<QPushButton>("btNext");
        auto *table = inPage<QTableWidget>("tableView");
        QVERIFY(next && table);
        QVERIFY(QTest::qWaitFor([&] { return next->isEnabled(); }, kWaitMs));
        QCOMPARE(table->rowCount(), 3);
        Setup_SelectCamView &list = setup().searchCamViewController().selectCamViewController();
        const auto previewShown = [&](int row) {
            return table->cellWidget(row, 2)->findChild<QToolButton *>(QStringLiteral("btnPreview"))->isVisible();
        };
        QVERIFY(previewShown(0) && !previewShown(1) && previewShown(2));
        // Picked by keys: the arrows to its row, Space on it.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(table->currentRow(), 0);
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(list.rowPicked(0));

        // The password dialog floats; the window stays usable behind it.
        click(table, 1, 0);
        QDialog *verify = nullptr;
        QVERIFY(QTest::qWaitFor([&] { return (verify = shownDialog(QStringLiteral("DiagVerifyPassword"))); }, kWaitMs));
        QVERIFY(!verify->isModal() && (verify->windowFlags() & Qt::Tool) == Qt::Tool);
        QVERIFY(!QApplication::activeModalWidget());
        QTest::keyClicks(verify->findChild<QLineEdit *>(QStringLiteral("edPwd")), QStringLiteral("Zb-pass1"));
        const QPointer<QDialog> closing(verify);
        verify->findChild<QPushButton *>(QStringLiteral("btSave"))->click();
        QVERIFY(QTest::qWaitFor([&] { return !closing || !closing->isVisible(); }, kWaitMs));
        QVERIFY(list.rowPicked(1));
        QVERIFY(previewShown(1));

        // The preview opens beside its row and shows the camera's image.
        const QRect cell = table->visualRect(table->model()->index(0, 2));
        const QPoint origin = table->viewport()->mapToGlobal(QPoint(cell.right() + 1 - 130, cell.top()));
        QPoint placed;
        QSize previewSize;
        bool sawImage = false;
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&] {
            QWidget *preview = QApplication::activeModalWidget();
            if (!preview || preview->objectName() != QLatin1String("DiagPreview"))
                return;
            placed = preview->pos();
            previewSize = preview->frameGeometry().size();
            auto *image = preview->findChild<QLabel *>(QStringLiteral("imageView"));
            if (image->pixmap().isNull())
                return;
            sawImage = true;
            poll->deleteLater();
            preview->findChild<QPushButton *>(QStringLiteral("btClose"))->click();
        });
        poll->start(20);
        table->cellWidget(0, 2)->findChild<QToolButton *>(QStringLiteral("btnPreview"))->click();
        QVERIFY(QTest::qWaitFor([&] { return sawImage && !QApplication::activeModalWidget(); }, kWaitMs));
        // Beside its row: level with it, and towards the row's right end as far
        // as the main window lets it.
        QCOMPARE(placed.y(), origin.y());
        QVERIFY(placed.x() <= origin.x() && placed.x() > table->mapToGlobal(QPoint(0, 0)).x());
        QVERIFY(window->frameGeometry().contains(QRect(placed, previewSize).adjusted(0, 0, -1, -1)));

        // Next writes the channels and the wizard goes on to the cloud step (the
        // lab reaches its probe host), which has its page too.
        next->click();
        QVERIFY(QTest::qWaitFor([&] { return shownStep() != Setup_SearchCamView::kPageKey; }, kWaitMs));
        QCOMPARE(shownStep(), QStringLiteral("nimbora"));
        QCOMPARE(shownPage(), QStringLiteral("nimboraPage"));
        const QJsonArray channels = sim.stateOf(SimProcess::macOf(recorder)).value("channels").toArray();
        QCOMPARE(channels.at(0).toObject().value("password").toString(), QStringLiteral("Ix-pass1"));
        QCOMPARE(channels.at(1).toObject().value("password").toString(), QStringLiteral("Zb-pass1"));
        QVERIFY(!channels.at(2).toObject().value("used").toBool());
    }
};

QTEST_MAIN(CameraWindowLabTest)
#include "tst_camerawindowlab.moc"
