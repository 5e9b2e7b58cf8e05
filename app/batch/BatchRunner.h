#pragma once

#include "app/batch/BatchOutcome.h"
#include "app/batch/BatchPlan.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>

// Sets up the recorders of a plan as headless runs of this same program,
// at most plan.jobs at a time. Each run reads its answers from a file of its
// own in a folder only this user can read, removed with the runner. One run
// failing never stops the others.
class BatchRunner : public QObject
{
    Q_OBJECT
public:
    BatchRunner(BatchPlan plan, QString program, QObject *parent = nullptr);
    ~BatchRunner() override;

    // Starts the first runs; false with a message when the answers folder
    // cannot be made.
    bool start(QString &error);
    // Starts no more runs and ends the running ones; finished() follows.
    void stop();

    const QList<BatchOutcome> &outcomes() const { return m_outcomes; }
    bool wasStopped() const { return m_stopping; }

signals:
    // One line about one recorder, for standard error.
    void progress(const QString &line);
    void finished();

private:
    void startNext();
    void launch(int index);
    void readProgress(int index);
    void onEnded(int index, int exitCode, QProcess::ExitStatus status);
    void report(int index, const QString &text);
    QString writeAnswers(int index);

    BatchPlan m_plan;
    QString m_program;
    QTemporaryDir m_answersDir;
    QList<BatchOutcome> m_outcomes;
    QList<QProcess *> m_processes;
    QList<QElapsedTimer> m_clocks;
    int m_next = 0;
    int m_running = 0;
    bool m_stopping = false;
    bool m_finished = false;
};
