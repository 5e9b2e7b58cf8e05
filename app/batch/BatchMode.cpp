#include "app/batch/BatchMode.h"

#include "app/batch/BatchPlan.h"
#include "app/batch/BatchReport.h"
#include "app/batch/BatchRunner.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/PrintableText.h"
#include "platform/AtomicFile.h"
#include "platform/SignalWatcher.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One line on standard error, with anything the network said escaped; false
// when no one reads standard error any more (a closed pipe or terminal).
bool printLine(const QString &line)
{
    const QByteArray bytes = QByteArrayLiteral("nvrwizard: ") + printableText(line).toUtf8() + '\n';
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr) == size_t(bytes.size())
        && std::fflush(stderr) == 0;
}

bool standardErrorGone()
{
    pollfd fd {STDERR_FILENO, POLLOUT, 0};
    return ::poll(&fd, 1, 0) == 1 && (fd.revents & (POLLERR | POLLHUP)) != 0;
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
        && ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

// Why the table cannot go to csv, found out before any recorder is touched
// and without touching what is there yet; empty when it can.
QString tableError(const QString &csv, const QString &plan)
{
    if (sameFile(csv, plan))
        return QStringLiteral("the table %1 would replace the plan").arg(csv);
    QSaveFile probe(csv);
    if (!probe.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write the table %1: %2").arg(csv, probe.errorString());
    probe.cancelWriting();
    return {};
}

int exitCode(const QList<BatchOutcome> &outcomes, int signalNumber)
{
    if (signalNumber != 0)
        return 128 + signalNumber;
    bool wouldChange = false;
    for (const BatchOutcome &outcome : outcomes) {
        if (outcome.state != BatchOutcome::State::Succeeded)
            return 1;
        wouldChange = wouldChange || !outcome.wouldChange().toArray().isEmpty();
    }
    // A survey's own code when a real run would change something.
    return wouldChange ? 3 : 0;
}

} // namespace

int runBatchMode(int argc, char *argv[], const BatchOptions &options)
{
    QCoreApplication app(argc, argv);
    HeadlessDrivers drivers;
    addAllHeadlessDrivers(drivers);
    BatchPlan plan;
    QStringList mistakes = BatchPlan::read(options.plan, drivers, plan);
    if (!options.csv.isEmpty())
        mistakes << tableError(options.csv, options.plan);
    mistakes.removeAll(QString());
    for (const QString &mistake : std::as_const(mistakes))
        printLine(mistake);
    if (!mistakes.isEmpty())
        return 2;
    if (options.jobs)
        plan.jobs = *options.jobs;

    BatchRunner runner(plan, QCoreApplication::applicationFilePath(), options.check);
    // A closed terminal or SSH connection (SIGHUP), or a reader of standard
    // error that went away (SIGPIPE), ends the batch as SIGTERM does.
    SignalWatcher watcher({SIGINT, SIGTERM, SIGHUP, SIGPIPE});
    int signalNumber = 0;
    const auto stopFor = [&runner, &signalNumber](int received) {
        if (signalNumber != 0)
            return;
        signalNumber = received;
        printLine(QStringLiteral("interrupted: no more recorders are started; ending the running ones"));
        runner.stop();
    };
    QObject::connect(&watcher, &SignalWatcher::received, &runner, [&stopFor](int received) {
        // SIGPIPE may come from a run's standard input; only standard error counts.
        if (received != SIGPIPE || standardErrorGone())
            stopFor(received);
    });
    QObject::connect(&runner, &BatchRunner::progress, &runner, [&stopFor](const QString &line) {
        if (!printLine(line))
            stopFor(SIGPIPE);
    });
    QObject::connect(&runner, &BatchRunner::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    printLine(QStringLiteral("batch of %1 recorders, %2 at a time%3")
                  .arg(plan.recorders.size())
                  .arg(plan.jobs)
                  .arg(options.check ? QStringLiteral(", survey only") : QString()));
    runner.start();
    app.exec();

    const bool interrupted = signalNumber != 0;
    for (const QString &line : BatchReport::closingLines(runner.outcomes(), interrupted))
        printLine(line);
    const QJsonObject result = BatchReport::json(runner.outcomes(), interrupted, options.check);
    std::fputs(QJsonDocument(result).toJson(QJsonDocument::Indented).constData(), stdout);
    std::fflush(stdout);
    // Written whole at the end: an interrupted batch leaves the old table or the new one.
    if (!options.csv.isEmpty()) {
        if (const QString error = AtomicFile::write(options.csv, BatchReport::csv(runner.outcomes()));
            !error.isEmpty()) {
            printLine(QStringLiteral("cannot write the table %1: %2").arg(options.csv, error));
            return interrupted ? exitCode(runner.outcomes(), signalNumber) : 1;
        }
    }
    return exitCode(runner.outcomes(), signalNumber);
}
