// The window while a lab peer keeps it waiting (a recorder stalling mid-answer,
// a camera slow or silent on the password check): the loop keeps turning, Back
// leaves at once, and the camera check ends by its own 6 s time-out.
#include "LabEnv.h"
#include "SimProcess.h"
#include "WidgetsFixture.h"
#include "core/HMLocalization.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_TimeZoneView.h"
#include "tests/support/DataRows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 10000;
constexpr int kCameraCheckMs = 6000;
const QString kPassword = QStringLiteral("Recorder9");

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupTimeZoneBack() override { calls << QStringLiteral("back"); }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class HostileWaitsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Durations d = Durations().scaled(0.05);
        d.httpGetTimeoutMs = kWaitMs; // the stall outlasts the test
        d.cameraCheckMs = Durations().cameraCheckMs; // waited out for real here
        setDurations(d);
    }

    void recorderStallingMidAnswer()
    {
        NVR_REQUIRE_LAB();
        const QJsonObject recorder = SimProcess::merged(SimProcess::configured(0, kPassword),
            {{"misbehave", QJsonObject {{"webStall", true}, {"webPaths", QJsonArray {"/config/timezonelist"}}}}});
        SimProcess sim;
        QVERIFY(sim.startScaled(SimProcess::scenario({recorder})));

        WidgetsFixture f;
        Setup_TimeZoneView step(f.context);
        PageCalls page;
        std::unique_ptr<QWidget> widget(f.factory.makePage(step, nullptr));
        QVERIFY(widget);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        step.setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        QVERIFY(sim.waitForLog(
            QStringLiteral("http"), [](const SimLogLine &l) { return l.value("hostile") == "stall"; }, kWaitMs));

        auto *bar = widget->findChild<QProgressBar *>();
        auto *back = widget->findChild<QPushButton *>(QStringLiteral("btBack"));
        QVERIFY(bar && back);
        QVERIFY(bar->isVisible());
        PaintCounter painted(bar);
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(10);
        QTRY_VERIFY_WITH_TIMEOUT(painted.paints >= 5 && ticks >= 5, kWaitMs);
        QVERIFY(step.messageViewController().isVisible());

        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
        QVERIFY(!step.messageViewController().isVisible());
    }

    void cameraCheckWaiting_data()
    {
        rows<QJsonObject, bool, int>({"behaviour", "answers", "minMs"},
            {{"never answers", {{"silent", true}}, false, kCameraCheckMs},
                {"answers slowly", {{"delayMs", 1500}}, true, 1500}});
    }
    void cameraCheckWaiting()
    {
        NVR_REQUIRE_LAB();
        QFETCH(QJsonObject, behaviour);
        QFETCH(bool, answers);
        QFETCH(int, minMs);
        // A camera whose password the recorder does not know: picking it asks it.
        const QJsonObject camera = SimProcess::merged(SimProcess::camera(0, QStringLiteral("1"), QString()),
            SimProcess::merged({{"user", ""}, {"adminPassword", "Ix-pass1"}}, behaviour));
        const QJsonObject recorder = SimProcess::withCameras(SimProcess::configured(0, kPassword), {camera});
        SimProcess sim;
        QVERIFY(sim.startScaled(SimProcess::scenario({recorder})));

        WidgetsFixture f;
        Setup_SearchCamView step(f.context);
        PageCalls page;
        std::unique_ptr<QWidget> widget(f.factory.makePage(step, nullptr));
        QVERIFY(widget);
        f.modal.setMainWindow(widget.get());
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        step.setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        step.viewDidAppear();
        QTRY_VERIFY_WITH_TIMEOUT(step.phase() == Setup_SearchCamView::Phase::Listing, kWaitMs);
        Setup_SelectCamView &list = step.selectCamViewController();
        list.onChangeSelected(0, 0);
        QDialog *dialog = f.modal.openFloating();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("edPwd")), QStringLiteral("Ix-pass1"));

        // While the check waits: repaints counted, the alert read and closed.
        PaintCounter painted(widget.get());
        int ticks = 0;
        int paintsBeforeEnd = -1;
        qint64 alertAfterMs = -1;
        QString alert;
        QElapsedTimer clock;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            widget->update();
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || alertAfterMs >= 0)
                return;
            alertAfterMs = clock.elapsed();
            paintsBeforeEnd = painted.paints;
            alert = box->text();
            box->buttons().constFirst()->click();
        });
        timer.start(20);
        clock.start();
        dialog->findChild<QPushButton *>(QStringLiteral("btSave"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!list.isOpenDiag(), kWaitMs);
        const qint64 tookMs = clock.elapsed();
        if (paintsBeforeEnd < 0)
            paintsBeforeEnd = painted.paints;
        timer.stop();

        // Coarse timers may fire up to 5 % early.
        QVERIFY2(tookMs >= minMs * 95 / 100, qPrintable(QStringLiteral("%1 ms").arg(tookMs)));
        QVERIFY2(paintsBeforeEnd >= minMs / 100, qPrintable(QStringLiteral("%1 paints").arg(paintsBeforeEnd)));
        QVERIFY(ticks >= minMs / 100);
        QCOMPARE(list.rowPicked(0), answers);
        if (answers) {
            QVERIFY(alert.isEmpty());
        } else {
            QCOMPARE(
                alert, HMLocalization::sharedInstance().localizedStringForKey(QStringLiteral("SetupCam NoAnswer")));
            QVERIFY2(alertAfterMs >= kCameraCheckMs * 95 / 100 && alertAfterMs < kCameraCheckMs + 2000,
                qPrintable(QStringLiteral("the alert came after %1 ms").arg(alertAfterMs)));
        }
        QVERIFY(step.btNextEnabled() && step.btBackEnabled());
    }
};

QTEST_MAIN(HostileWaitsLabTest)
#include "tst_hostilewaitslab.moc"
