#include "app/batch/BatchRunner.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// How long a run may take to end after SIGTERM before it is killed.
constexpr int kTerminateGraceMs = 5000;
const QString kPageLine = QStringLiteral("nvrwizard: page ");
const QString kFailedLine = QStringLiteral("nvrwizard: failed: ");

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

BatchRunner::BatchRunner(BatchPlan plan, QString program, QObject *parent)
    : QObject(parent)
    , m_plan(std::move(plan))
    , m_program(std::move(program))
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

bool BatchRunner::start(QString &error)
{
    if (!m_answersDir.isValid()) {
        error = QStringLiteral("cannot make a folder for the answers files: %1").arg(m_answersDir.errorString());
        return false;
    }
    startNext();
    return true;
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

QString BatchRunner::writeAnswers(int index)
{
    QFile file(m_answersDir.filePath(QStringLiteral("recorder-%1.json").arg(index + 1)));
    // The folder is the owner's alone; the file is too, from before its first byte.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        return QString();
    const QByteArray json = QJsonDocument(m_plan.recorders.at(index).answers).toJson(QJsonDocument::Compact);
    return file.write(json) == json.size() && file.flush() ? file.fileName() : QString();
}

void BatchRunner::launch(int index)
{
    BatchOutcome &outcome = m_outcomes[index];
    const QString answers = writeAnswers(index);
    if (answers.isEmpty()) {
        outcome.state = BatchOutcome::State::Failed;
        outcome.failure = QStringLiteral("its answers file could not be written in %1").arg(m_answersDir.path());
        report(index, QStringLiteral("failed: ") + outcome.failure);
        return;
    }
    auto *process = new QProcess(this);
    process->setProgram(m_program);
    process->setArguments({QStringLiteral("--headless"), answers});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setReadChannel(QProcess::StandardError);
    process->setChildProcessModifier(detachFromTerminalSignals);
    connect(process, &QProcess::readyReadStandardError, this, [this, index] { readProgress(index); });
    connect(process, &QProcess::finished, this,
        [this, index](int exitCode, QProcess::ExitStatus status) { onEnded(index, exitCode, status); });
    connect(process, &QProcess::errorOccurred, this, [this, index, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_outcomes[index].failure = QStringLiteral("the run could not be started: %1").arg(process->errorString());
        onEnded(index, -1, QProcess::CrashExit);
    });
    m_processes[index] = process;
    ++m_running;
    outcome.state = BatchOutcome::State::Running;
    m_clocks[index].start();
    report(index, QStringLiteral("started"));
    process->start();
}

void BatchRunner::readProgress(int index)
{
    QProcess *process = m_processes.at(index);
    BatchOutcome &outcome = m_outcomes[index];
    while (process->canReadLine()) {
        const QString line = QString::fromUtf8(process->readLine()).trimmed();
        if (line.startsWith(kPageLine)) {
            outcome.step = line.mid(kPageLine.size());
            report(index, QStringLiteral("at ") + outcome.step);
        } else if (line.startsWith(kFailedLine)) {
            outcome.failure = line.mid(kFailedLine.size());
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
    const bool succeeded = status == QProcess::NormalExit && exitCode == 0;
    // A run prints its result: the summary, or why it failed and, when it can
    // tell, why the recorder could not be reached.
    const QJsonObject printed = QJsonDocument::fromJson(process->readAllStandardOutput()).object();
    if (succeeded) {
        outcome.state = BatchOutcome::State::Succeeded;
        outcome.summary = printed;
        report(index, QStringLiteral("succeeded in %1 (%2)").arg(secondsText(outcome.elapsedMs), outcome.resultText()));
    } else if (m_stopping && status == QProcess::CrashExit) {
        outcome.state = BatchOutcome::State::Stopped;
        outcome.failure = QStringLiteral("stopped at %1").arg(outcome.step);
        report(index, outcome.failure);
    } else {
        outcome.state = BatchOutcome::State::Failed;
        outcome.diagnosis = printed.value(QStringLiteral("diagnosis")).toObject();
        if (outcome.failure.isEmpty())
            outcome.failure = status == QProcess::CrashExit
                ? QStringLiteral("the run ended abnormally at %1").arg(outcome.step)
                : QStringLiteral("the run ended with exit code %1 at %2").arg(exitCode).arg(outcome.step);
        const QString why = outcome.diagnosis.value(QStringLiteral("message")).toString();
        report(index,
            QStringLiteral("failed after %1: %2").arg(secondsText(outcome.elapsedMs), outcome.failure)
                + (why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why)));
    }
    QFile::remove(process->arguments().constLast());
    process->deleteLater();
    startNext();
}

void BatchRunner::report(int index, const QString &text)
{
    emit progress(
        QStringLiteral("[%1/%2] %3 %4").arg(index + 1).arg(m_outcomes.size()).arg(m_outcomes.at(index).mac, text));
}
