#include "app/batch/BatchMode.h"

#include "app/batch/BatchPlan.h"
#include "app/batch/BatchReport.h"
#include "app/batch/BatchRunner.h"
#include "app/headless/HeadlessDriver.h"
#include "platform/SignalWatcher.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

struct BatchOptions
{
    QString plan;
    std::optional<int> jobs;
    QString csv;
};

void printLine(const QString &line)
{
    std::fprintf(stderr, "nvrwizard: %s\n", line.toUtf8().constData());
}

// Returns an error text, empty when the arguments are usable.
QString parse(int argc, char *argv[], BatchOptions &options)
{
    if (argc < 3)
        return QStringLiteral("--batch needs a plan file");
    options.plan = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; i += 2) {
        const char *name = argv[i];
        if (i + 1 >= argc)
            return QStringLiteral("%1 needs a value").arg(QString::fromLocal8Bit(name));
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (std::strcmp(name, "--jobs") == 0) {
            bool ok = false;
            options.jobs = value.toInt(&ok);
            if (!ok || *options.jobs < 1 || *options.jobs > BatchPlan::kMaxJobs)
                return QStringLiteral("--jobs takes a whole number from 1 to %1").arg(BatchPlan::kMaxJobs);
        } else if (std::strcmp(name, "--csv") == 0) {
            options.csv = value;
        } else {
            return QStringLiteral("unknown option %1 for --batch").arg(QString::fromLocal8Bit(name));
        }
    }
    return QString();
}

int exitCode(const QList<BatchOutcome> &outcomes, int signalNumber)
{
    if (signalNumber != 0)
        return 128 + signalNumber;
    for (const BatchOutcome &outcome : outcomes) {
        if (outcome.state != BatchOutcome::State::Succeeded)
            return 1;
    }
    return 0;
}

} // namespace

int runBatchMode(int argc, char *argv[])
{
    BatchOptions options;
    const QString usage = parse(argc, argv, options);
    if (!usage.isEmpty()) {
        printLine(usage);
        std::fputs("Usage: nvrwizard --batch PLAN.json [--jobs N] [--csv FILE]\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    HeadlessDrivers drivers;
    addAllHeadlessDrivers(drivers);
    BatchPlan plan;
    const QStringList mistakes = BatchPlan::read(options.plan, drivers, plan);
    for (const QString &mistake : mistakes)
        printLine(mistake);
    if (!mistakes.isEmpty())
        return 2;
    if (options.jobs)
        plan.jobs = *options.jobs;
    // A table that cannot be written is found out before any recorder is touched.
    QFile csv(options.csv);
    if (!options.csv.isEmpty() && !csv.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        printLine(QStringLiteral("cannot write the table %1: %2").arg(options.csv, csv.errorString()));
        return 2;
    }

    BatchRunner runner(plan, QCoreApplication::applicationFilePath());
    SignalWatcher watcher;
    int signalNumber = 0;
    QObject::connect(&watcher, &SignalWatcher::received, &runner, [&runner, &signalNumber](int received) {
        if (signalNumber != 0)
            return;
        signalNumber = received;
        printLine(QStringLiteral("interrupted: no more recorders are started; ending the running ones"));
        runner.stop();
    });
    QObject::connect(&runner, &BatchRunner::progress, &runner, printLine);
    QObject::connect(&runner, &BatchRunner::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    printLine(QStringLiteral("batch of %1 recorders, %2 at a time").arg(plan.recorders.size()).arg(plan.jobs));
    QString error;
    if (!runner.start(error)) {
        printLine(error);
        return 1;
    }
    app.exec();

    const bool interrupted = signalNumber != 0;
    for (const QString &line : BatchReport::closingLines(runner.outcomes(), interrupted))
        printLine(line);
    const QJsonObject result = BatchReport::json(runner.outcomes(), interrupted);
    std::fputs(QJsonDocument(result).toJson(QJsonDocument::Indented).constData(), stdout);
    if (csv.isOpen() && csv.write(BatchReport::csv(runner.outcomes())) < 0) {
        printLine(QStringLiteral("cannot write the table %1: %2").arg(options.csv, csv.errorString()));
        return interrupted ? exitCode(runner.outcomes(), signalNumber) : 1;
    }
    return exitCode(runner.outcomes(), signalNumber);
}
