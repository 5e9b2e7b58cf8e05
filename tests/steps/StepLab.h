#pragma once

// What each step's lab test is built on: the simulator in the lab, the step's
// services, and a place among the classes of the one step lab program.
#include "LabEnv.h"
#include "SimProcess.h"
#include "StepsFixture.h"
#include "platform/Durations.h"
#include "steps/SetupStep.h"
#include "steps/SetupStepDelegate.h"
#include "tests/support/DataRows.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <functional>
#include <map>

// What a step asked of the setup page, in order: "next", "back", or with what
// it handed on ("next:Secret7", "cloud").
struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void add(const char *call, const QString &handed = QString())
    {
        calls << (handed.isNull() ? QString::fromLatin1(call) : QLatin1String(call) + QLatin1Char(':') + handed);
    }
    void setupSearchNvrNext() override { add("next"); }
    void setupSearchNvrBack() override { add("back"); }
    void setupPasswordNext(const QString &pw) override { add("next", pw); }
    void setupPasswordGotoSearchCam(const QString &pw) override { add("cam", pw); }
    void setupPasswordBack() override { add("back"); }
    void setupPasswordGotoSearchNvr() override { add("searchNvr"); }
    void setupTimeZoneNext() override { add("next"); }
    void setupTimeZoneBack() override { add("back"); }
    void setupHddNext() override { add("next"); }
    void setupHddBack() override { add("back"); }
    void setupSearchCamNext() override { add("cloud"); }
    void skipNimboraNext() override { add("summary"); }
    void setupSearchCamBack() override { add("back"); }
    void setupNimboraNext(const QString &account) override { add("next", account); }
    void setupNimboraBack() override { add("back"); }
};

// The simulator with the recorder a step is shown, and the waits and logs the
// step lab tests share.
class StepLab : public QObject
{
protected:
    SimProcess sim;
    PageCalls page;
    QJsonObject recorder;
    std::unique_ptr<StepsFixture> f;
    QString password = QStringLiteral("Recorder9");
    QList<Dimming> dimming; // how the modal host dimmed the window, in order

    static constexpr auto merged = &SimProcess::merged;
    bool startSim(const QList<QJsonObject> &recorders, double timeScale, QJsonObject scenario = {})
    {
        recorder = recorders.value(0);
        return sim.startScaled(merged(SimProcess::scenario(recorders), scenario), timeScale);
    }
    // A fresh fixture with these texts, a fresh step on it, page calls and
    // dimming recorded; the simulator's waits at this scale.
    template<typename Step>
    void fresh(std::unique_ptr<Step> &step, double timeScale, const StepsFixture::Entries &texts = {})
    {
        setDurations(Durations().scaled(timeScale));
        f = std::make_unique<StepsFixture>(texts);
        step = std::make_unique<Step>(*f->context);
        page.calls.clear();
        dimming.clear();
        f->modal.setDimmingListener([this](Dimming dimmed) { dimming << dimmed; });
    }
    // The step goes before the simulator it may still be asking.
    template<typename Step> void stop(std::unique_ptr<Step> &step)
    {
        step.reset();
        sim.stop();
    }
    NvrRef target() const { return std::make_shared<const TVexorReply>(SimProcess::target(recorder)); }
    static bool waitFor(const std::function<bool()> &done, int ms = 10000) { return QTest::qWaitFor(done, ms); }
    // The step called the page.
    bool left()
    {
        return waitFor([&] { return !page.calls.isEmpty(); });
    }
    // The step called the page with this call alone.
    void leftWith(const QString &call)
    {
        QVERIFY(left());
        QCOMPARE(page.calls, QStringList {call});
    }
    QList<SimLogLine> requests(const QString &path) const
    {
        QList<SimLogLine> found;
        for (const SimLogLine &line : sim.log(QStringLiteral("http")))
            if (line.value("path") == QLatin1String("/config/") + path)
                found << line;
        return found;
    }
    QJsonObject recorderState() const { return sim.stateOf(SimProcess::macOf(recorder)); }
};

// The step lab classes by name; NVR_STEP_LAB names the one a run executes.
inline std::map<QString, std::function<QObject *()>> &stepLabs()
{
    static std::map<QString, std::function<QObject *()>> labs;
    return labs;
}

#define NVR_STEP_LAB(name, TestClass)                                                                                  \
    [[maybe_unused]] static const bool registered##TestClass = (                                                       \
        stepLabs()[QStringLiteral(name)] = [] { return static_cast<QObject *>(new TestClass); }, true);
