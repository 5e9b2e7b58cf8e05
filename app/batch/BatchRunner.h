#pragma once

#include "app/batch/BatchOutcome.h"
#include "app/batch/BatchPlan.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QProcess>

// Sets up the recorders of a plan as headless runs of this same program,
// at most plan.jobs at a time. Each run reads its answers from its standard
// input, so no file ever holds their passwords. One run failing never stops
// the others.
class BatchRunner : public QObject
{
    Q_OBJECT
public:
    // check: each run only surveys its recorder (--check).
    BatchRunner(BatchPlan plan, QString program, bool check, QObject *parent = nullptr);
    ~BatchRunner() override;

    void start();
    // Starts no more runs and ends the running ones; finished() follows.
    void stop();

    const QList<BatchOutcome> &outcomes() const { return m_outcomes; }

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

    BatchPlan m_plan;
    QString m_program;
    bool m_check = false;
    QList<BatchOutcome> m_outcomes;
    QList<QProcess *> m_processes;
    QList<QElapsedTimer> m_clocks;
    int m_next = 0;
    int m_running = 0;
    bool m_stopping = false;
    bool m_finished = false;
};
