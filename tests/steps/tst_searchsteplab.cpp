// The recorder search step and `nvrwizard --search` against simulated
// recorders over real sockets in the network lab.
#include "EmptyNetwork.h"
#include "StepLab.h"
#include "platform/Log.h"
#include "steps/Setup_SearchNvrView.h"
#include "util/UtilMethod.h"

#include <QProcess>

namespace {

constexpr double kScale = 0.1; // a 600 ms reply wait
constexpr int kWaitMs = 10000;

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupSearchNvrNext() override { calls << QStringLiteral("next"); }
    void setupSearchNvrBack() override { calls << QStringLiteral("back"); }
};

int discoveryRequests(const SimProcess &sim)
{
    int count = 0;
    for (const SimLogLine &line : sim.log(QStringLiteral("rx")))
        count += line.value("op") == QLatin1String("161") ? 1 : 0;
    return count;
}

struct CommandRun
{
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

// nvrwizard --search, optionally in a namespace without any network.
CommandRun runSearchCommand(bool withoutNetwork = false)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QString::number(kScale));
    process.setProcessEnvironment(env);
    const QString wizard = qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrwizard");
    if (withoutNetwork)
        process.start(QStringLiteral("unshare"), {QStringLiteral("-n"), wizard, QStringLiteral("--search")});
    else
        process.start(wizard, {QStringLiteral("--search")});
    CommandRun run;
    if (!process.waitForFinished(kWaitMs))
        return run;
    run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class SearchStepLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    std::unique_ptr<StepsFixture> f;
    std::unique_ptr<Setup_SearchNvrView> step;
    PageCalls page;
    QStringList logLines;

    void startSim(const QList<QJsonObject> &recorders)
    {
        sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario(recorders), &error), qPrintable(error));
    }
    void showAndWait()
    {
        step->viewDidAppear();
        QVERIFY(step->isSearching());
        QVERIFY(!step->btBackEnabled() && !step->btNextEnabled() && !step->btRescanEnabled());
        QVERIFY(step->messageView().isVisible());
        QVERIFY(QTest::qWaitFor([&] { return !step->isSearching(); }, kWaitMs));
    }

private slots:
    void init()
    {
        if (!EmptyNetwork::inside())
            NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(kScale));
        f = std::make_unique<StepsFixture>(StepsFixture::Entries {{"APP_NODevice", "No recorder was found."},
            {"APP_SearchingDevices", "Searching"}, {"SetupSearch_Title", "Find your recorder"}});
        step = std::make_unique<Setup_SearchNvrView>(*f->context);
        step->setDelegate(&page);
        page.calls.clear();
        logLines.clear();
        Log::setSink([this](const QString &line) { logLines << line; });
    }
    void cleanup()
    {
        step.reset();
        sim.stop();
        Log::setSink({});
    }

    void nextHandsTheSelectedRow()
    {
        const QJsonObject first = SimProcess::recorder(0), second = SimProcess::recorder(1);
        startSim({first, second, SimProcess::misbehaving(2, {{QStringLiteral("answerTwice"), true}})});
        showAndWait();
        Setup_SelectNvrView &list = step->selectNvrView();
        QCOMPARE(list.deviceList().size(), 3); // the doubled answer is one row
        QCOMPARE(list.selectedRow(), 0);
        QCOMPARE(list.selectedDevicesMAC(), SimProcess::macOf(first));
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && step->btRescanEnabled());
        QVERIFY(!step->messageView().isVisible());
        QVERIFY(!step->noDeviceLabelVisible());
        QCOMPARE(discoveryRequests(sim), 1);

        // The list's own rescan control drops the rows at once and searches again.
        list.onRescanClicked();
        QVERIFY(list.deviceList().isEmpty());
        QVERIFY(step->isSearching());
        QVERIFY(QTest::qWaitFor([&] { return !step->isSearching(); }, kWaitMs));
        QCOMPARE(list.deviceList().size(), 3);
        QCOMPARE(discoveryRequests(sim), 2);

        list.selectRow(1);
        step->onNextClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        const NvrRef chosen = step->getSelectedDevice();
        QVERIFY(chosen);
        QCOMPARE(UtilMethod::ipToString(chosen->ipAddress), SimProcess::ipOf(second));
        QCOMPARE(UtilMethod::macToString(chosen->macAddress), SimProcess::macOf(second));
    }

    void nothingFoundAfterThreeAttempts()
    {
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("silent"), true}})});
        showAndWait();
        QCOMPARE(discoveryRequests(sim), 3);
        QCOMPARE(logLines.count(QStringLiteral("retry Device search-----")), 2);
        QVERIFY(step->noDeviceLabelVisible());
        QCOMPARE(step->noDeviceText(), QStringLiteral("No recorder was found."));
        QVERIFY(!step->btNextEnabled());
        QVERIFY(step->btBackEnabled() && step->btRescanEnabled());

        // Rescan runs a whole new series; pressed again meanwhile it does nothing.
        step->onRescanClicked();
        QVERIFY(!step->noDeviceLabelVisible());
        step->onRescanClicked();
        QVERIFY(QTest::qWaitFor([&] { return !step->isSearching(); }, kWaitMs));
        QCOMPARE(discoveryRequests(sim), 6);
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
    }

    void answerInTheSecondAttemptStopsTheRetries()
    {
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("ignoreSearches"), 1}})});
        showAndWait();
        QCOMPARE(step->selectNvrView().deviceList().size(), 1);
        QCOMPARE(discoveryRequests(sim), 2);
        QCOMPARE(logLines.count(QStringLiteral("retry Device search-----")), 1);
    }

    void sendFailureShowsTheNetworkAlert()
    {
        if (!EmptyNetwork::inside()) {
            QString output;
            QVERIFY2(EmptyNetwork::run(QString::fromLatin1(QTest::currentTestFunction()), &output), qPrintable(output));
            return;
        }
        showAndWait();
        QVERIFY(step->hadNetworkError());
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("alert:Check network Failed")});
        QVERIFY(step->noDeviceLabelVisible());
        QVERIFY(!step->btNextEnabled());
        QVERIFY(step->btRescanEnabled());
        // No retries after a network error.
        QCOMPARE(logLines.count(QStringLiteral("retry Device search-----")), 0);
    }

    void searchCommandPrintsOneLinePerRecorder()
    {
        const QJsonObject first = SimProcess::recorder(0);
        QJsonObject second = SimProcess::recorder(1);
        second[QStringLiteral("webPort")] = 8080;
        second[QStringLiteral("firmware")] = QStringLiteral("3.1.4");
        startSim({first, second});
        const CommandRun run = runSearchCommand();
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines.size(), 2);
        const QStringList fields = run.lines.at(1).split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), 5);
        QCOMPARE(fields.at(0), QStringLiteral("2"));
        QCOMPARE(fields.at(1), SimProcess::ipOf(second));
        QCOMPARE(fields.at(2), SimProcess::macOf(second));
        QCOMPARE(fields.at(3), QStringLiteral("8080"));
        QCOMPARE(fields.at(4), QStringLiteral("3.1.4"));
    }

    void searchCommandExitCodes()
    {
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("silent"), true}})});
        const CommandRun none = runSearchCommand();
        QCOMPARE(none.exitCode, 3);
        QVERIFY(none.lines.isEmpty());
        QCOMPARE(discoveryRequests(sim), 3);
        const CommandRun unsent = runSearchCommand(true);
        QCOMPARE(unsent.exitCode, 4);
        QVERIFY2(unsent.errors.contains(QStringLiteral("network error")), qPrintable(unsent.errors));
    }
};

NVR_STEP_LAB("search", SearchStepLabTest)
#include "tst_searchsteplab.moc"
