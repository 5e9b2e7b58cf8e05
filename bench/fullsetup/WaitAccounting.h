#pragma once

#include "SimProcess.h"
#include "platform/Durations.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The waits that the protocol and the peers impose on one setup run, counted
// from what that run logged: the wizard's own lines (its diagnostics and the
// headless progress lines, in the order written) and the simulator's event
// log. Each wait is a timer that had to run out, or an answer the scenario
// holds back, before the run could go on.
struct WaitCount
{
    QString wait; // what is waited for
    QString countedFrom; // the log lines counted
    int count = 0;
    double eachMs = 0;

    double totalMs() const { return count * eachMs; }
};

struct WaitAccount
{
    QList<WaitCount> waits;
    // Where the two logs disagree, so that the count cannot be trusted.
    QStringList doubts;

    double totalMs() const;
};

// wizardLines: the wizard's standard error; simLog: the simulator's events of
// the same run; scenario: what the simulator was given; d: the wizard's waits.
WaitAccount countWaits(
    const QStringList &wizardLines, const QList<SimLogLine> &simLog, const QJsonObject &scenario, const Durations &d);
