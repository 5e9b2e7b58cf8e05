#include "netcheck/InternetCheck.h"

#include "netcheck/Reachability.h"
#include "platform/DeploymentSettings.h"
#include "platform/Log.h"

InternetCheck::InternetCheck(QObject *parent)
    : QObject(parent)
{
}

InternetCheck::~InternetCheck() = default;

bool InternetCheck::start(Reaction reaction)
{
    stop();
    monitor = Reachability::reachabilityWithHostname(Deployment::reachabilityProbeHost());
    if (!monitor)
        return false;
    m_reaction = std::move(reaction);
    const quint64 run = m_run;
    // The handlers run on the monitor's queue: they only post to this thread.
    monitor->setReachableBlock([this, run](Reachability *) {
        QMetaObject::invokeMethod(
            this, [this, run] { report(run, true); }, Qt::QueuedConnection);
    });
    monitor->setUnreachableBlock([this, run](Reachability *) {
        QMetaObject::invokeMethod(
            this, [this, run] { report(run, false); }, Qt::QueuedConnection);
    });
    if (monitor->startNotifier())
        return true;
    monitor.reset();
    return false;
}

void InternetCheck::stop()
{
    monitor.reset();
    ++m_run;
}

void InternetCheck::report(quint64 run, bool reachable)
{
    if (run != m_run)
        return;
    Log::line(reachable ? QStringLiteral("Do have the internet :)") : QStringLiteral("Someone broke the internet :("));
    // Copied: the reaction may start a new check.
    const Reaction reaction = m_reaction;
    if (reaction)
        reaction(reachable);
}
