#include "netcheck/Reachability.h"

#include "platform/HostReachability.h"
#include "platform/Log.h"

std::unique_ptr<Reachability> Reachability::reachabilityWithHostname(const QString &hostname)
{
    std::unique_ptr<HostReachability> ref = HostReachability::createWithName(hostname.toUtf8());
    if (!ref)
        return nullptr;
    return std::unique_ptr<Reachability>(new Reachability(std::move(ref)));
}

Reachability::Reachability(std::unique_ptr<HostReachability> ref)
    : reachabilitySerialQueue(QStringLiteral("reachability"))
    , reachabilityRef(std::move(ref))
{
}

Reachability::~Reachability()
{
    stopNotifier();
}

void Reachability::setReachableBlock(Block block)
{
    QMutexLocker lock(&blocksMutex);
    reachableBlock = std::move(block);
}

void Reachability::setUnreachableBlock(Block block)
{
    QMutexLocker lock(&blocksMutex);
    unreachableBlock = std::move(block);
}

bool Reachability::isReachableWithFlags(quint32 flags)
{
    const bool reachable = flags & ReachabilityFlag::reachable;
    const quint32 dialOnDemand = ReachabilityFlag::transientConnection | ReachabilityFlag::connectionRequired;
    return reachable && (flags & dialOnDemand) != dialOnDemand;
}

bool Reachability::startNotifier()
{
    if (reachabilityObject == this)
        return true;
    reachabilityRef->setCallback([this](quint32 flags) { reachabilityChanged(flags); });
    QString error;
    if (!reachabilityRef->scheduleOn(reachabilitySerialQueue, &error)) {
        Log::line(QStringLiteral("SCNetworkReachabilitySetDispatchQueue() failed: %1").arg(error));
        reachabilityRef->setCallback({});
        reachabilityObject = nullptr;
        return false;
    }
    reachabilityObject = this;
    return true;
}

void Reachability::stopNotifier()
{
    reachabilityRef->unschedule();
    reachabilityRef->setCallback({});
    reachabilityObject = nullptr;
}

void Reachability::reachabilityChanged(quint32 flags)
{
    Block block;
    {
        QMutexLocker lock(&blocksMutex);
        block = isReachableWithFlags(flags) ? reachableBlock : unreachableBlock;
    }
    if (block)
        block(this);
}
