// The window while a peer keeps the wizard waiting, offscreen in the network
// lab: a recorder that stalls halfway through an answer. The event loop keeps
// turning (the waiting bar repaints, a timer ticks) and Back, which the time
// zone step leaves enabled while it reads, leaves at once.
#include "LabEnv.h"
#include "SimProcess.h"
#include "WidgetsFixture.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_TimeZoneView.h"

#include <QJsonArray>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 10000;
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
        setDurations(d);
    }

    void recorderStallingMidAnswer()
    {
        NVR_REQUIRE_LAB();
        QJsonObject recorder = SimProcess::configured(0, kPassword);
        recorder.insert(QStringLiteral("misbehave"),
            QJsonObject {{"webStall", true}, {"webPaths", QJsonArray {QStringLiteral("/config/timezonelist")}}});
        SimProcess sim;
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

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
};

QTEST_MAIN(HostileWaitsLabTest)
#include "tst_hostilewaitslab.moc"
