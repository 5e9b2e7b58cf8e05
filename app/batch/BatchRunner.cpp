#include "app/batch/BatchRunner.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// How long a run may take to end after SIGTERM before it is killed.
constexpr int kTerminateGraceMs = 5000;
// A survey's exit code when a real run would change something.
constexpr int kCheckWouldChange = 3;
const QString kPageLine = QStringLiteral("nvrwizard: page ");

// Runs in the child between fork and exec: Ctrl-C in the terminal reaches
// the batch alone, which ends its runs itself, and no run outlives it.
void detachFromTerminalSignals()
{
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

QString secondsText(qint64 ms)
{
    return QStringLiteral("%1 s").arg(double(ms) / 1000, 0, 'f', 1);
}

} // namespace

BatchRunner::BatchRunner(BatchPlan plan, QString program, bool check, QObject *parent)
    : QObject(parent)
    , m_plan(std::move(plan))
    , m_program(std::move(program))
    , m_check(check)
{
    for (const BatchRecorder &recorder : std::as_const(m_plan.recorders)) {
        BatchOutcome outcome;
        outcome.mac = recorder.mac;
        m_outcomes << outcome;
    }
    m_processes.fill(nullptr, m_outcomes.size());
    m_clocks.resize(m_outcomes.size());
}

BatchRunner::~BatchRunner() = default;

void BatchRunner::start()
{
    startNext();
}

void BatchRunner::stop()
{
    if (m_stopping)
        return;
    m_stopping = true;
    for (QProcess *process : std::as_const(m_processes)) {
        if (!process)
            continue;
        process->terminate();
        QTimer::singleShot(kTerminateGraceMs, process, [process] { process->kill(); });
    }
    startNext();
}

void BatchRunner::startNext()
{
    while (!m_stopping && m_running < m_plan.jobs && m_next < m_outcomes.size())
        launch(m_next++);
    if (m_running == 0 && (m_stopping || m_next >= m_outcomes.size()) && !m_finished) {
        m_finished = true;
        emit finished();
    }
}

void BatchRunner::launch(int index)
{
    auto *process = new QProcess(this);
    process->setProgram(m_program);
    QStringList arguments {QStringLiteral("--headless"), QStringLiteral("-")};
    if (m_check)
        arguments << QStringLiteral("--check");
    process->setArguments(arguments);
    process->setReadChannel(QProcess::StandardError);
    process->setChildProcessModifier(detachFromTerminalSignals);
    connect(process, &QProcess::readyReadStandardError, this, [this, index] { readProgress(index); });
    connect(process, &QProcess::finished, this,
        [this, index](int exitCode, QProcess::ExitStatus status) { onEnded(index, exitCode, status); });
    connect(process, &QProcess::errorOccurred, this, [this, index, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_outcomes[index].endNote = QStringLiteral("the run could not be started: %1").arg(process->errorString());
        onEnded(index, -1, QProcess::CrashExit);
    });
    m_processes[index] = process;
    ++m_running;
    m_outcomes[index].state = BatchOutcome::State::Running;
    m_clocks[index].start();
    report(index, QStringLiteral("started"));
    process->start();
    // The answers, passwords and all, go through the pipe and nowhere else.
    process->write(QJsonDocument(m_plan.recorders.at(index).answers).toJson(QJsonDocument::Compact));
    process->closeWriteChannel();
}

void BatchRunner::readProgress(int index)
{
    QProcess *process = m_processes.at(index);
    BatchOutcome &outcome = m_outcomes[index];
    while (process->canReadLine()) {
        const QString line = QString::fromUtf8(process->readLine()).trimmed();
        if (line.startsWith(kPageLine)) {
            outcome.shownStep = line.mid(kPageLine.size());
            report(index, QStringLiteral("at ") + outcome.shownStep);
        }
    }
}

void BatchRunner::onEnded(int index, int exitCode, QProcess::ExitStatus status)
{
    QProcess *process = m_processes.at(index);
    if (!process)
        return;
    readProgress(index);
    m_processes[index] = nullptr;
    --m_running;
    BatchOutcome &outcome = m_outcomes[index];
    outcome.elapsedMs = m_clocks.at(index).elapsed();
    // A run prints its result: the summary, the survey, or why it failed and
    // how far it came.
    outcome.printed = QJsonDocument::fromJson(process->readAllStandardOutput()).object();
    const bool normal = status == QProcess::NormalExit;
    if (normal && (exitCode == 0 || (m_check && exitCode == kCheckWouldChange))) {
        outcome.state = BatchOutcome::State::Succeeded;
        report(index,
            QStringLiteral("%1 in %2 (%3)")
                .arg(m_check ? QStringLiteral("checked") : QStringLiteral("succeeded"), secondsText(outcome.elapsedMs),
                    outcome.resultText()));
    } else if (m_stopping && !normal) {
        outcome.state = BatchOutcome::State::Stopped;
        outcome.endNote = QStringLiteral("stopped at %1").arg(outcome.step());
        report(index, outcome.endNote + outcome.changedText());
    } else {
        outcome.state = BatchOutcome::State::Failed;
        if (outcome.endNote.isEmpty())
            outcome.endNote = normal
                ? QStringLiteral("the run ended with exit code %1 at %2").arg(exitCode).arg(outcome.step())
                : QStringLiteral("the run ended abnormally at %1").arg(outcome.step());
        const QString why = outcome.diagnosis().value(QStringLiteral("message")).toString();
        report(index,
            QStringLiteral("failed after %1: %2").arg(secondsText(outcome.elapsedMs), outcome.failure())
                + (why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why)) + outcome.changedText());
    }
    process->deleteLater();
    startNext();
}

void BatchRunner::report(int index, const QString &text)
{
    emit progress(
        QStringLiteral("[%1/%2] %3 %4").arg(index + 1).arg(m_outcomes.size()).arg(m_outcomes.at(index).mac, text));
}
