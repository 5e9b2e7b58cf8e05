#pragma once

#include <QObject>

#include <functional>
#include <memory>

class Reachability;

// A step's internet check: a monitor of the probe host whose reports reach
// the step on the main thread, one reaction per report.
class InternetCheck : public QObject
{
    Q_OBJECT
public:
    using Reaction = std::function<void(bool reachable)>;

    explicit InternetCheck(QObject *parent = nullptr);
    ~InternetCheck() override;

    // Replaces, and so stops, the running monitor. False when no monitor
    // could be made: then no report comes.
    bool start(Reaction reaction);
    // Reports already on their way to the main thread are dropped too.
    void stop();
    bool isRunning() const { return bool(monitor); }

private:
    void report(quint64 run, bool reachable);

    std::unique_ptr<Reachability> monitor;
    Reaction m_reaction;
    quint64 m_run = 0;
};
