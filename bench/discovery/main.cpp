// Discovery under a burst: N simulated recorders with distinct MACs answer one
// search. Reports how many replies went out, how many records the search kept,
// and how long after the last reply the search ended (the reply wait is 6 s).
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_discovery [N]...   (default 100 500 1000 2000)
#include "LabEnv.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "protocol/SearchDevice.h"
#include "protocol/SearchDeviceDelegate.h"
#include "util/UdpError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

struct Result
{
    int recorders = 0;
    int sent = 0;
    int kept = 0;
    qint64 endAfterLastReplyMs = -1;
    QString error;
};

struct Search : SearchDeviceDelegate
{
    SearchDevice search {this};
    QEventLoop loop;
    UdpError error;
    qint64 endedAtMs = 0;

    void onSearchEnd(SearchDevice *, const UdpError &e) override
    {
        endedAtMs = QDateTime::currentMSecsSinceEpoch();
        error = e;
        search.endSearch();
        loop.quit();
    }
};

Result runOnce(int count)
{
    Result result;
    result.recorders = count;
    QList<QJsonObject> recorders;
    for (int i = 0; i < count; ++i)
        recorders << SimProcess::recorder(i);
    SimProcess sim;
    if (!sim.start(SimProcess::scenario(recorders), &result.error))
        return result;

    Search run;
    run.search.setFilterName(QStringLiteral("HRX-540A"));
    run.search.startSearch();
    // Bounded: the search ends by itself 6 s after the last reply.
    QTimer::singleShot(60000, &run.loop, &QEventLoop::quit);
    run.loop.exec();
    if (run.endedAtMs == 0) {
        result.error = QStringLiteral("the search did not end");
        return result;
    }
    if (run.error.code != kUdpExchangeEndedCode)
        result.error = run.error.toString();
    result.kept = int(run.search.getReplyArray().size());
    qint64 lastReply = 0;
    for (const SimLogLine &line : sim.log(QStringLiteral("tx"))) {
        ++result.sent;
        lastReply = qMax(lastReply, line.timeMs);
    }
    if (lastReply > 0)
        result.endAfterLastReplyMs = run.endedAtMs - lastReply;
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!LabEnv::fromEnvironment().inLab()) {
        std::fprintf(stderr, "bench_discovery: run it inside the lab: scripts/netlab.sh -- %s\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("NVR_BUILD_DIR"))
        qputenv("NVR_BUILD_DIR", QCoreApplication::applicationDirPath().section(QLatin1Char('/'), 0, -2).toUtf8());
    setDurations(Durations());
    QList<int> counts;
    for (const QString &arg : app.arguments().mid(1))
        counts << arg.toInt();
    if (counts.isEmpty())
        counts = {100, 500, 1000, 2000};

    const int windowMs = durations().lanReplyMs;
    std::printf("Discovery burst: N recorders answer one search at once; reply wait %d ms.\n", windowMs);
    std::printf(
        "Goals: nothing lost up to 1000 recorders; the search ends within 50 ms of the wait after the last reply.\n\n");
    std::printf(
        "%10s %12s %10s %8s %24s %8s\n", "recorders", "replies sent", "kept", "lost", "end after last reply", "goal");
    bool allMet = true;
    for (int count : counts) {
        const Result r = runOnce(count);
        if (!r.error.isEmpty()) {
            std::printf("%10d  error: %s\n", count, qPrintable(r.error));
            allMet = false;
            continue;
        }
        const qint64 overshoot = r.endAfterLastReplyMs - windowMs;
        const bool met = (count > 1000 || r.kept == count) && overshoot >= 0 && overshoot <= 50;
        allMet = allMet && (met || count > 1000);
        std::printf("%10d %12d %10d %8d %15lld ms (%+lld) %8s\n", count, r.sent, r.kept, count - r.kept,
            static_cast<long long>(r.endAfterLastReplyMs), static_cast<long long>(overshoot), met ? "met" : "MISSED");
        std::fflush(stdout);
    }
    std::printf("\n%s\n", allMet ? "All goals met." : "Some goals missed (see above).");
    return allMet ? 0 : 1;
}
