// Discovery under a burst: N simulated recorders with distinct MACs answer one
// search. Reports how many replies went out, how many records the search kept,
// and how long after the last reply the search ended (the reply wait is 6 s).
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_discovery [N]... [--summary FILE]   (default 100 500 1000 2000)
#include "FigureReport.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "protocol/SearchDevice.h"
#include "protocol/SearchDeviceDelegate.h"
#include "util/UdpError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

using namespace FigureReport;

namespace {

constexpr int kKeptGoal = 1000;
constexpr qint64 kLateGoalMs = 50;

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
    QStringList args = app.arguments();
    const QString summaryFile = takeSummaryFile(args);
    if (!begin(QStringLiteral("Discovery burst"), true))
        return Failed;
    setDurations(Durations());
    QList<int> counts;
    for (const QString &arg : args.mid(1))
        counts << arg.toInt();
    if (counts.isEmpty())
        counts = {100, 500, 1000, 2000};

    const int windowMs = durations().lanReplyMs;
    print(QStringLiteral("N simulated recorders, each with its own MAC, answer one search at once. The simulator "
                         "logs every reply it sends; the search keeps the replies of distinct recorders and ends "
                         "%1 ms after the last one it accepted.")
              .arg(windowMs));
    print();
    // How many replies can wait for the loop depends on what the kernel grants the socket.
    QFile rmemMax(QStringLiteral("/proc/sys/net/core/rmem_max"));
    const QByteArray granted = rmemMax.open(QIODevice::ReadOnly) ? rmemMax.readAll().trimmed() : "unknown";
    print(QStringLiteral("The search socket asks for a large receive buffer, so that replies can wait while the "
                         "loop reads them one by one; this kernel grants at most `net.core.rmem_max` = %1 bytes "
                         "(Debian's default is 212992).")
              .arg(QString::fromLatin1(granted)));
    print();
    print(QStringLiteral("Goals: every reply kept up to %1 recorders; the search ends within %2 ms of the %3 ms "
                         "window after the last reply. Bigger bursts are shown for what they are.")
              .arg(kKeptGoal)
              .arg(kLateGoalMs)
              .arg(windowMs));
    print();
    QList<QStringList> rows;
    bool allMet = true;
    int largestKept = 0;
    qint64 worstLate = 0;
    for (int count : counts) {
        const Result r = runOnce(count);
        if (!r.error.isEmpty()) {
            rows << QStringList {QString::number(count), QStringLiteral("error: ") + r.error, QString(), QString(),
                QString(), QString()};
            allMet = false;
            continue;
        }
        const qint64 late = r.endAfterLastReplyMs - windowMs;
        const bool inGoal = count <= kKeptGoal;
        const bool met = r.kept == count && late >= 0 && late <= kLateGoalMs;
        if (inGoal) {
            allMet = allMet && met;
            worstLate = qMax(worstLate, late);
            if (met)
                largestKept = qMax(largestKept, count);
        }
        rows << QStringList {QString::number(count), QString::number(r.sent), QString::number(r.kept),
            QStringLiteral("%1 ms (%2%3 ms)").arg(r.endAfterLastReplyMs).arg(late >= 0 ? "+" : "").arg(late),
            inGoal ? QStringLiteral("all kept, ≤ +%1 ms").arg(kLateGoalMs) : QStringLiteral("(beyond the goal)"),
            inGoal ? verdict(met) : (met ? QStringLiteral("met") : QStringLiteral("missed"))};
    }
    table({QStringLiteral("recorders"), QStringLiteral("replies sent"), QStringLiteral("kept"),
              QStringLiteral("end after the last reply"), QStringLiteral("goal"), QStringLiteral("result")},
        rows);
    const QString result = QStringLiteral("all kept up to %1, end at most %2 ms late").arg(largestKept).arg(worstLate);
    print(QStringLiteral("Result: %1: %2.").arg(result, verdict(allMet)));
    print();
    appendSummary(summaryFile, QStringLiteral("Discovery burst"),
        QStringLiteral("all of ≥ %1 replies kept; end ≤ %2 ms after the %3 s window")
            .arg(kKeptGoal)
            .arg(kLateGoalMs)
            .arg(windowMs / 1000),
        result, allMet);
    return allMet ? Met : Missed;
}
