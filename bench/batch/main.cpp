// Twenty recorders set up at once by `nvrwizard --batch` against nvrsim
// playing sim/scenarios/twenty.json with the protocol's real waits, timed
// against one recorder of the same scenario set up the same way; then the
// same twenty set up a second time, and surveyed (`--check`) against one.
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

#include <algorithm>

using namespace FigureReport;

namespace {

constexpr double kGoalRatio = 1.5;
constexpr double kSecondRunRatio = 0.5;
constexpr double kSurveyRatio = 1.3;
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

bool startSim(SimProcess &sim, QString *error)
{
    sim.setTimeScale(1.0);
    sim.dropState();
    return sim.start(readJson(kScenario), error);
}

// The first count recorders of the plan as one batch against sim, which keeps
// what earlier batches set; check: a survey (exit code 3 when it finds changes).
BatchTiming runBatch(SimProcess &sim, int count, bool check, const QString &wizard)
{
    BatchTiming timing;
    timing.recorders = count;
    QTemporaryDir dir;
    if (!dir.isValid() || (!sim.isRunning() && !startSim(sim, &timing.error)))
        return timing;
    QFile plan(dir.filePath(QStringLiteral("plan.json")));
    if (!plan.open(QIODevice::WriteOnly) || plan.write(QJsonDocument(planFor(count)).toJson()) < 0) {
        timing.error = QStringLiteral("cannot write the plan");
        return timing;
    }
    plan.close();
    const QStringList env = ChildRun::homeEnvironment(dir.filePath(QStringLiteral("home")))
        << QStringLiteral("NVRWIZARD_TIME_SCALE=1") << QStringLiteral("QT_QPA_PLATFORM=offscreen");
    QStringList args {QStringLiteral("--batch"), plan.fileName()};
    if (check)
        args << QStringLiteral("--check");
    if (!timing.batch.run(wizard, args, env, kRunLimitMs)) {
        timing.error = timing.batch.error;
        return timing;
    }
    timing.result = QJsonDocument::fromJson(timing.batch.standardOutput).object();
    const bool exitFine = timing.batch.exitCode == 0 || (check && timing.batch.exitCode == 3);
    if (timing.batch.timedOut)
        timing.error = QStringLiteral("the batch did not end within %1 s").arg(kRunLimitMs / 1000);
    else if (!exitFine || timing.result.value(QStringLiteral("succeeded")).toInt() != count) {
        QStringList lines;
        for (const ChildRun::Line &line : timing.batch.lines)
            lines << line.text;
        timing.error
            = QStringLiteral("the batch failed: ") + lines.filter(QStringLiteral("failed")).join(QLatin1Char(' '));
    }
    return timing;
}

// One figure: two batches compared against a goal ratio, as a table, a verdict
// and a line of the overview.
int compare(const QString &summaryFile, const QString &figure, const QString &goal, double goalRatio,
    const QList<BatchTiming> &timings, const QStringList &names)
{
    print(QStringLiteral("### %1").arg(figure));
    print();
    for (const BatchTiming &t : timings) {
        if (!t.error.isEmpty()) {
            print(QStringLiteral("%1 recorder(s) failed: %2").arg(t.recorders).arg(t.error));
            print();
            appendSummary(summaryFile, figure, goal, QStringLiteral("not measured"), false);
            return Failed;
        }
    }
    QList<QStringList> rows;
    for (int i = 0; i < timings.size(); ++i) {
        const BatchTiming &t = timings.at(i);
        const auto [slowest, fastest] = t.runSeconds();
        rows << QStringList {names.at(i), QString::number(t.recorders), seconds(t.batch.wallMs),
            seconds(fastest * 1000), seconds(slowest * 1000), ms(t.batch.cpuMs), mib(t.batch.peakRssKiB)};
    }
    table({QStringLiteral("batch"), QStringLiteral("recorders"), QStringLiteral("start to exit"),
              QStringLiteral("fastest recorder"), QStringLiteral("slowest recorder"), QStringLiteral("batch CPU time"),
              QStringLiteral("batch peak memory")},
        rows);
    const double base = double(timings.at(0).batch.wallMs);
    const double ratio = base > 0 ? double(timings.at(1).batch.wallMs) / base : 0;
    const bool met = ratio > 0 && ratio <= goalRatio;
    const QString result = QStringLiteral("%1 %2, %3 %4, ratio %5")
                               .arg(names.at(0), seconds(base), names.at(1), seconds(timings.at(1).batch.wallMs))
                               .arg(ratio, 0, 'f', 2);
    print(QStringLiteral("Result: %1: %2.").arg(result, verdict(met)));
    print();
    appendSummary(summaryFile, figure, goal, result, met);
    return met ? Met : Missed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString summaryFile = takeSummaryFile(args);
    const QString figure = QStringLiteral("Twenty recorders at once");
    const QString goal = QStringLiteral("twenty ≤ %1 × one").arg(kGoalRatio);
    if (!begin(QStringLiteral("Twenty recorders: at once, a second time, surveyed"), true))
        return Failed;
    const QString wizard = QCoreApplication::applicationDirPath() + QStringLiteral("/nvrwizard");

    print(QStringLiteral("`nvrwizard --batch` sets up recorders of `sim/scenarios/twenty.json` (new recorders, one "
                         "unformatted disk and two cameras each, one cloud account) by the plan "
                         "`bench/batch/plan.json`, with the protocol's real waits: first one recorder, then all "
                         "twenty at once (`jobs` 20), each against a fresh simulator (without its state file, "
                         "which it would rewrite whole after every change of any recorder). Then the same twenty "
                         "again against the simulator that kept what the first batch set (the second run), and "
                         "surveyed with `--check`, one and then all twenty. Each batch is timed from process "
                         "start to exit."));
    print();
    print(QStringLiteral("Goals: twenty recorders take at most %1 times as long as one; the second run at most %2 "
                         "times the first; the survey of twenty at most %3 times the survey of one.")
              .arg(kGoalRatio)
              .arg(kSecondRunRatio)
              .arg(kSurveyRatio));
    print();

    SimProcess single;
    SimProcess many;
    const BatchTiming one = runBatch(single, 1, false, wizard);
    single.stop(); // the lab has room for one simulator's recorders at a time
    const BatchTiming first = runBatch(many, kMany, false, wizard);
    const BatchTiming second = runBatch(many, kMany, false, wizard);
    const BatchTiming surveyOne = runBatch(many, 1, true, wizard);
    const BatchTiming surveyMany = runBatch(many, kMany, true, wizard);
    const int exits[] = {compare(summaryFile, figure, goal, kGoalRatio, {one, first}, {"one", "twenty"}),
        compare(summaryFile, QStringLiteral("Twenty recorders, second run"),
            QStringLiteral("second ≤ %1 × first").arg(kSecondRunRatio), kSecondRunRatio, {first, second},
            {"first", "second"}),
        compare(summaryFile, QStringLiteral("Survey of twenty recorders"),
            QStringLiteral("twenty ≤ %1 × one").arg(kSurveyRatio), kSurveyRatio, {surveyOne, surveyMany},
            {"one", "twenty"})};
    return *std::max_element(std::begin(exits), std::end(exits));
}
