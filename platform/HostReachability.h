#pragma once

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class SerialQueue;

// Reachability flags, with the bit values the monitor's rule is written for.
namespace ReachabilityFlag {
constexpr quint32 transientConnection = 1;
constexpr quint32 reachable = 2;
constexpr quint32 connectionRequired = 4;
} // namespace ReachabilityFlag

// Whether this computer has a way to one host: the name is resolved (an
// address is taken as it is) and each address tested for a route with a UDP
// connect, which sends nothing. While scheduled it probes at once and then
// every reachabilityRecheckMs; probes run on the queue, and the callback runs
// there too, with the first result and then whenever the flags change.
class HostReachability
{
public:
    using Callback = std::function<void(quint32 flags)>;

    // nullptr when the name cannot be a host name.
    static std::unique_ptr<HostReachability> createWithName(const QByteArray &utf8Name);
    ~HostReachability();
    HostReachability(const HostReachability &) = delete;
    HostReachability &operator=(const HostReachability &) = delete;

    // An empty callback removes it.
    void setCallback(Callback callback);
    // Needs an event loop on the calling thread, which times the probes;
    // false with the reason otherwise.
    bool scheduleOn(SerialQueue &queue, QString *error);
    // Once it returns, no callback is running or will run.
    void unschedule();

    QString hostName() const;

    // One probe on the calling thread; blocks while a name is resolved.
    static quint32 probe(const QString &hostName);

private:
    struct Shared;
    explicit HostReachability(const QString &hostName);
    void probeLater();

    std::shared_ptr<Shared> m_shared;
    SerialQueue *m_queue = nullptr;
    QTimer m_recheck;
};
