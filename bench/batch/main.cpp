// Twenty recorders set up at once by `nvrwizard --batch` against nvrsim
// playing sim/scenarios/twenty.json with the protocol's real waits, timed
// against one recorder of the same scenario set up the same way.
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_batch [--summary FILE]
#include "ChildRun.h"
#include "FigureReport.h"
#include "SimProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

using namespace FigureReport;

namespace {

constexpr double kGoalRatio = 1.5;
constexpr int kMany = 20;
constexpr int kRunLimitMs = 600000;
const QString kDataDir = QStringLiteral(NVR_BATCH_DIR);
const QString kScenario = QStringLiteral(NVR_BATCH_SCENARIO);

struct BatchTiming
{
    int recorders = 0;
    ChildRun batch;
    QJsonObject result;
    QString error;

    // The slowest and fastest recorder's own run, from the batch's result.
    QPair<double, double> runSeconds() const
    {
        double slowest = 0;
        double fastest = 1e9;
        for (const QJsonValue &r : result.value(QStringLiteral("recorders")).toArray()) {
            slowest = qMax(slowest, r[QStringLiteral("seconds")].toDouble());
            fastest = qMin(fastest, r[QStringLiteral("seconds")].toDouble());
        }
        return {slowest, fastest};
    }
};

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// The plan of bench/batch/plan.json cut to its first count recorders, all at once.
QJsonObject planFor(int count)
{
    QJsonObject plan = readJson(kDataDir + QStringLiteral("/plan.json"));
    QJsonArray recorders = plan.value(QStringLiteral("recorders")).toArray();
    while (recorders.size() > count)
        recorders.removeLast();
    plan.insert(QStringLiteral("recorders"), recorders);
    plan.insert(QStringLiteral("jobs"), count);
    return plan;
}

BatchTiming runBatch(int count, const QString &wizard)
{
    BatchTiming timing;
    timing.recorders = count;
    QTemporaryDir dir;
    SimProcess sim;
    sim.setTimeScale(1.0);
    sim.dropState();
    if (!dir.isValid() || !sim.start(readJson(kScenario), &timing.error))
        return timing;
    QFile plan(dir.filePath(QStringLiteral("plan.json")));
    if (!plan.open(QIODevice::WriteOnly) || plan.write(QJsonDocument(planFor(count)).toJson()) < 0) {
        timing.error = QStringLiteral("cannot write the plan");
        return timing;
    }
    plan.close();
    const QStringList env = ChildRun::homeEnvironment(dir.filePath(QStringLiteral("home")))
        << QStringLiteral("NVRWIZARD_TIME_SCALE=1") << QStringLiteral("QT_QPA_PLATFORM=offscreen");
    if (!timing.batch.run(wizard, {QStringLiteral("--batch"), plan.fileName()}, env, kRunLimitMs)) {
        timing.error = timing.batch.error;
        return timing;
    }
    timing.result = QJsonDocument::fromJson(timing.batch.standardOutput).object();
    if (timing.batch.timedOut)
        timing.error = QStringLiteral("the batch did not end within %1 s").arg(kRunLimitMs / 1000);
    else if (timing.batch.exitCode != 0 || timing.result.value(QStringLiteral("succeeded")).toInt() != count) {
        QStringList lines;
        for (const ChildRun::Line &line : timing.batch.lines)
            lines << line.text;
        timing.error
            = QStringLiteral("the batch failed: ") + lines.filter(QStringLiteral("failed")).join(QLatin1Char(' '));
    }
    return timing;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString summaryFile = takeSummaryFile(args);
    const QString figure = QStringLiteral("Twenty recorders at once");
    const QString goal = QStringLiteral("twenty ≤ %1 × one").arg(kGoalRatio);
    if (!begin(figure, true))
        return Failed;
    const QString wizard = QCoreApplication::applicationDirPath() + QStringLiteral("/nvrwizard");

    print(QStringLiteral("`nvrwizard --batch` sets up recorders of `sim/scenarios/twenty.json` (new recorders, one "
                         "unformatted disk and two cameras each, one cloud account) by the plan "
                         "`bench/batch/plan.json`, with the protocol's real waits: first one recorder, then all "
                         "twenty at once (`jobs` 20), each against a fresh simulator (without its state file, "
                         "which it would rewrite whole after every change of any recorder). Each batch is timed from "
                         "process start to exit."));
    print();
    print(QStringLiteral("Goal: twenty recorders take at most %1 times as long as one.").arg(kGoalRatio));
    print();

    QList<BatchTiming> timings {runBatch(1, wizard), runBatch(kMany, wizard)};
    for (const BatchTiming &t : timings) {
        if (!t.error.isEmpty()) {
            print(QStringLiteral("%1 recorder(s) failed: %2").arg(t.recorders).arg(t.error));
            appendSummary(summaryFile, figure, goal, QStringLiteral("not measured"), false);
            return Failed;
        }
    }
    QList<QStringList> rows;
    for (const BatchTiming &t : timings) {
        const auto [slowest, fastest] = t.runSeconds();
        rows << QStringList {QString::number(t.recorders), seconds(t.batch.wallMs), seconds(fastest * 1000),
            seconds(slowest * 1000), ms(t.batch.cpuMs), mib(t.batch.peakRssKiB)};
    }
    table(
        {QStringLiteral("recorders"), QStringLiteral("start to exit"), QStringLiteral("fastest recorder"),
            QStringLiteral("slowest recorder"), QStringLiteral("batch CPU time"), QStringLiteral("batch peak memory")},
        rows);

    const double one = double(timings.at(0).batch.wallMs);
    const double many = double(timings.at(1).batch.wallMs);
    const double ratio = one > 0 ? many / one : 0;
    const bool met = ratio > 0 && ratio <= kGoalRatio;
    const QString result
        = QStringLiteral("one %1, twenty %2, ratio %3").arg(seconds(one), seconds(many)).arg(ratio, 0, 'f', 2);
    print(QStringLiteral("Result: %1: %2.").arg(result, verdict(met)));
    print();
    appendSummary(summaryFile, figure, goal, result, met);
    return met ? Met : Missed;
}
