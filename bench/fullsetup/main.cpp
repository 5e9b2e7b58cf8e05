// A whole setup, welcome page to summary, by `nvrwizard --headless` against
// the simulator with the protocol's real waits, compared with the sum of the
// waits that this very run had to sit out (counted from its logs).
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_fullsetup [RUNS] [--summary FILE]   (default 3 runs)
#include "ChildRun.h"
#include "FigureReport.h"
#include "SimProcess.h"
#include "WaitAccounting.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

using namespace FigureReport;

namespace {

constexpr double kGoalRatio = 1.05;
constexpr int kRunLimitMs = 180000;
const QString kDataDir = QStringLiteral(NVR_FULLSETUP_DIR);

struct SetupRun
{
    ChildRun wizard;
    WaitAccount waits;
    QString error;

    double ratio() const { return waits.totalMs() > 0 ? wizard.wallMs / waits.totalMs() : 0; }
};

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

QStringList wizardEnvironment(const QString &home)
{
    return ChildRun::homeEnvironment(home)
        << QStringLiteral("NVRWIZARD_LOG_STDERR=1") << QStringLiteral("NVRWIZARD_TIME_SCALE=1")
        << QStringLiteral("QT_QPA_PLATFORM=offscreen");
}

SetupRun runOnce(const QJsonObject &scenario, const QString &wizard)
{
    SetupRun run;
    QTemporaryDir home;
    SimProcess sim;
    sim.setTimeScale(1.0);
    if (!home.isValid() || !sim.start(scenario, &run.error))
        return run;
    if (!run.wizard.run(wizard, {QStringLiteral("--headless"), kDataDir + QStringLiteral("/answers.json")},
            wizardEnvironment(home.path()), kRunLimitMs)) {
        run.error = run.wizard.error;
        return run;
    }
    QStringList lines;
    for (const ChildRun::Line &line : run.wizard.lines)
        lines << line.text;
    run.waits = countWaits(lines, sim.log(), scenario, Durations());
    if (run.wizard.timedOut)
        run.error = QStringLiteral("the run did not end within %1 s").arg(kRunLimitMs / 1000);
    else if (run.wizard.exitCode != 0)
        run.error = QStringLiteral("the run failed: ") + lines.filter(QStringLiteral("failed:")).join(QLatin1Char(' '));
    return run;
}

void printTimeline(const ChildRun &wizard)
{
    const QString pageLine = QStringLiteral("nvrwizard: page ");
    QList<QStringList> rows;
    QString shown = QStringLiteral("(process start)");
    qint64 since = 0;
    auto close = [&](qint64 until) { rows << QStringList {shown, seconds(since), ms(until - since)}; };
    for (const ChildRun::Line &line : wizard.lines) {
        if (!line.text.startsWith(pageLine))
            continue;
        close(line.atMs);
        shown = line.text.mid(pageLine.size());
        since = line.atMs;
    }
    close(wizard.wallMs);
    table({QStringLiteral("page"), QStringLiteral("shown at"), QStringLiteral("time on it")}, rows);
}

void printAccounting(const WaitAccount &account)
{
    QList<QStringList> rows;
    for (const WaitCount &w : account.waits)
        rows << QStringList {w.wait, w.countedFrom, QString::number(w.count), ms(w.eachMs), ms(w.totalMs())};
    rows << QStringList {QStringLiteral("**sum**"), QString(), QString(), QString(), ms(account.totalMs())};
    table({QStringLiteral("wait"), QStringLiteral("counted from"), QStringLiteral("count"), QStringLiteral("each"),
              QStringLiteral("total")},
        rows);
    for (const QString &doubt : account.doubts)
        print(QStringLiteral("Doubt: ") + doubt + QStringLiteral("."));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString summaryFile = takeSummaryFile(args);
    const int runs = qMax(1, args.value(1, QStringLiteral("3")).toInt());
    const QString figure = QStringLiteral("Full headless setup");
    const QString goal = QStringLiteral("run time ≤ %1 × protocol waits").arg(kGoalRatio);
    if (!begin(figure, true))
        return Failed;
    const QString wizard = QCoreApplication::applicationDirPath() + QStringLiteral("/nvrwizard");
    const QJsonObject scenario = readJson(kDataDir + QStringLiteral("/scenario.json"));

    print(QStringLiteral("`nvrwizard --headless` walks every page from the welcome page to the summary with the "
                         "answers of `bench/fullsetup/answers.json`, against nvrsim playing "
                         "`bench/fullsetup/scenario.json` (a new recorder, one unformatted disk, the cloud portal), "
                         "with the protocol's real waits. The run is timed from process start to exit. The waits it "
                         "could not avoid are counted from its own log and the simulator's, and multiplied by the "
                         "wizard's durations; everything else (start-up, TLS, requests, parsing, files) is overhead."));
    print();
    print(
        QStringLiteral("Goal: the run takes at most %1 % longer than its waits.").arg(qRound((kGoalRatio - 1) * 100)));
    print();

    QList<SetupRun> results;
    for (int i = 0; i < runs; ++i) {
        results << runOnce(scenario, wizard);
        if (!results.last().error.isEmpty()) {
            print(QStringLiteral("Run %1 failed: %2").arg(i + 1).arg(results.last().error));
            appendSummary(summaryFile, figure, goal, QStringLiteral("not measured"), false);
            return Failed;
        }
    }

    QList<QStringList> rows;
    QList<double> ratios;
    for (int i = 0; i < results.size(); ++i) {
        const SetupRun &r = results.at(i);
        ratios << r.ratio();
        rows << QStringList {QString::number(i + 1), seconds(r.wizard.wallMs),
            seconds(r.wizard.firstLineMs(QStringLiteral("nvrwizard: page summary"))), seconds(r.waits.totalMs()),
            ms(r.wizard.wallMs - r.waits.totalMs()), QString::number(r.ratio(), 'f', 3), mib(r.wizard.peakRssKiB),
            ms(r.wizard.cpuMs)};
    }
    table({QStringLiteral("run"), QStringLiteral("start to exit"), QStringLiteral("start to summary page"),
              QStringLiteral("protocol waits"), QStringLiteral("overhead"), QStringLiteral("ratio"),
              QStringLiteral("peak memory"), QStringLiteral("CPU time")},
        rows);

    const SetupRun &first = results.first();
    print(QStringLiteral("Where the time of run 1 went, page by page (a page's time includes its waits):"));
    print();
    printTimeline(first.wizard);
    print(QStringLiteral("The waits of run 1:"));
    print();
    printAccounting(first.waits);

    const double ratio = median(ratios);
    const bool met = ratio <= kGoalRatio && first.waits.doubts.isEmpty();
    const QString result = QStringLiteral("ratio %1 (median of %2 runs)").arg(ratio, 0, 'f', 3).arg(runs);
    print(QStringLiteral("Result: %1: %2.").arg(result, verdict(met)));
    print();
    appendSummary(summaryFile, figure, goal, result, met);
    return met ? Met : Missed;
}
