#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

// One child process watched from outside: every line of its standard error
// with the moment it arrived, its standard output, and what the kernel
// accounted for it when it was reaped (wait4), so that its peak memory is its
// own and not that of some other child of the bench.
struct ChildRun
{
    struct Line
    {
        qint64 atMs = 0; // since the start
        QString text;
    };

    // Filled by run().
    qint64 startedAtEpochMs = 0;
    qint64 wallMs = -1; // start to reaped
    qint64 stoppedAtMs = -1; // when stopWhen asked for the end, or -1
    int exitCode = -1; // -1 when a signal ended it
    bool timedOut = false;
    long peakRssKiB = 0;
    double cpuMs = 0; // user + system
    QList<Line> lines;
    QByteArray standardOutput;
    QString error; // the program could not be started

    // Starts program with args; env entries ("NAME=value") replace or add to
    // this process's environment. stopWhen, if set, sees each standard error
    // line and returns true to end the child with SIGTERM. The child is
    // killed when it runs longer than timeoutMs.
    bool run(const QString &program, const QStringList &args, const QStringList &env, int timeoutMs,
        const std::function<bool(const QString &line)> &stopWhen = {});

    // The moment of the first line containing text, or -1.
    qint64 firstLineMs(const QString &text) const;

    // Environment entries for a child that writes only under home (made
    // with its runtime folder) and reads no deployment settings of the machine.
    static QStringList homeEnvironment(const QString &home);
};
