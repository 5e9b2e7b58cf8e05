#pragma once

#include "platform/SerialQueue.h"

#include <QMutex>
#include <QString>

#include <functional>
#include <memory>

class HostReachability;

// Watches whether one host can be reached. The handlers run on the
// monitor's private queue, never on the main thread: they should only hand
// their news on to it.
class Reachability
{
public:
    using Block = std::function<void(Reachability *monitor)>;

    // nullptr when the host name is refused.
    static std::unique_ptr<Reachability> reachabilityWithHostname(const QString &hostname);
    // Stops the notifier; no handler runs once it returns.
    ~Reachability();
    Reachability(const Reachability &) = delete;
    Reachability &operator=(const Reachability &) = delete;

    void setReachableBlock(Block block);
    void setUnreachableBlock(Block block);

    bool startNotifier();
    void stopNotifier();

    // Reachable, and not a transient connection that still needs connecting.
    static bool isReachableWithFlags(quint32 flags);

private:
    explicit Reachability(std::unique_ptr<HostReachability> ref);
    void reachabilityChanged(quint32 flags);

    SerialQueue reachabilitySerialQueue;
    std::unique_ptr<HostReachability> reachabilityRef;
    Reachability *reachabilityObject = nullptr;
    QMutex blocksMutex;
    Block reachableBlock;
    Block unreachableBlock;
};
