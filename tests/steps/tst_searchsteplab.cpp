#include "EmptyNetwork.h"
#include "HeadlessRun.h"
#include "StepLab.h"
#include "platform/Log.h"
#include "steps/Setup_SearchNvrView.h"
#include "util/UtilMethod.h"

namespace {

constexpr double kScale = 0.1; // a 600 ms reply wait
const QString kRetry = QStringLiteral("retry Device search-----");

int discoveryRequests(const SimProcess &sim)
{
    int count = 0;
    for (const SimLogLine &line : sim.log(QStringLiteral("rx")))
        count += line.value("op") == QLatin1String("161") ? 1 : 0;
    return count;
}

} // namespace

class SearchStepLabTest : public StepLab
{
    Q_OBJECT

    std::unique_ptr<Setup_SearchNvrView> step;
    QStringList logLines;

    void startSim(const QList<QJsonObject> &recorders) { QVERIFY(StepLab::startSim(recorders, kScale)); }
    void showAndWait()
    {
        step->viewDidAppear();
        QVERIFY(step->isSearching() && step->messageView().isVisible());
        QVERIFY(!step->btBackEnabled() && !step->btNextEnabled() && !step->btRescanEnabled());
        QVERIFY(waitFor([&] { return !step->isSearching(); }));
    }

private slots:
    void init()
    {
        if (!EmptyNetwork::inside())
            NVR_REQUIRE_LAB();
        fresh(step, kScale);
        step->setDelegate(&page);
        logLines.clear();
        Log::setSink([this](const QString &line) { logLines << line; });
    }
    void cleanup()
    {
        stop(step);
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
        QVERIFY(!step->messageView().isVisible() && !step->noDeviceLabelVisible());
        QCOMPARE(discoveryRequests(sim), 1);

        // The list's own rescan control drops the rows at once and searches again.
        list.onRescanClicked();
        QVERIFY(list.deviceList().isEmpty() && step->isSearching());
        QVERIFY(waitFor([&] { return !step->isSearching(); }));
        QCOMPARE(list.deviceList().size(), 3);
        QCOMPARE(discoveryRequests(sim), 2);

        list.selectRow(1);
        step->onNextClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        const NvrRef chosen = step->getSelectedDevice();
        QVERIFY(chosen);
        QCOMPARE(UtilMethod::ipToString(chosen->ipAddress) + ' ' + UtilMethod::macToString(chosen->macAddress),
            SimProcess::ipOf(second) + ' ' + SimProcess::macOf(second));
    }

    void nothingFoundAfterThreeAttempts()
    {
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("silent"), true}})});
        showAndWait();
        QCOMPARE(discoveryRequests(sim), 3);
        QCOMPARE(logLines.count(kRetry), 2);
        QVERIFY(step->noDeviceLabelVisible() && !step->btNextEnabled());
        QVERIFY(step->btBackEnabled() && step->btRescanEnabled());

        // Rescan runs a whole new series; pressed again meanwhile it does nothing.
        step->onRescanClicked();
        QVERIFY(!step->noDeviceLabelVisible());
        step->onRescanClicked();
        QVERIFY(waitFor([&] { return !step->isSearching(); }));
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
        QCOMPARE(logLines.count(kRetry), 1);
    }

    void sendFailureShowsTheNetworkAlert()
    {
        if (EmptyNetwork::rerunCurrentTest())
            return;
        showAndWait();
        QVERIFY(step->hadNetworkError());
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("alert:Check network Failed")});
        QVERIFY(step->noDeviceLabelVisible() && !step->btNextEnabled() && step->btRescanEnabled());
        QCOMPARE(logLines.count(kRetry), 0); // no retries after a network error
    }

    void searchCommandPrintsOneLinePerRecorder()
    {
        const QJsonObject first = SimProcess::recorder(0);
        QJsonObject second = SimProcess::recorder(1);
        second[QStringLiteral("webPort")] = 8080;
        second[QStringLiteral("firmware")] = QStringLiteral("3.1.4");
        startSim({first, second});
        const HeadlessRun run = HeadlessRun::command({QStringLiteral("--search")});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.summary.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(1),
            QStringList({"2", SimProcess::ipOf(second), SimProcess::macOf(second), "8080", "3.1.4"}).join('\t'));
    }

    // 3: nothing found; 4: nothing could be sent.
    void searchCommandExitCodes()
    {
        if (EmptyNetwork::inside()) {
            const HeadlessRun unsent = HeadlessRun::command({QStringLiteral("--search")});
            QCOMPARE(unsent.exitCode, 4);
            QVERIFY2(unsent.errors.contains(QStringLiteral("network error")), qPrintable(unsent.errors));
            return;
        }
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("silent"), true}})});
        const HeadlessRun none = HeadlessRun::command({QStringLiteral("--search")});
        QCOMPARE(none.exitCode, 3);
        QVERIFY(none.summary.isEmpty());
        QCOMPARE(discoveryRequests(sim), 3);
        EmptyNetwork::rerunCurrentTest();
    }
};

NVR_STEP_LAB("search", SearchStepLabTest)
#include "tst_searchsteplab.moc"
