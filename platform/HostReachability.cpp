#include "platform/HostReachability.h"

#include "platform/Durations.h"
#include "platform/SerialQueue.h"

#include <QAbstractEventDispatcher>
#include <QHostAddress>
#include <QHostInfo>
#include <QUrl>

#include <atomic>
#include <mutex>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

struct HostReachability::Shared
{
    explicit Shared(const QString &name)
        : hostName(name)
    {
    }

    const QString hostName;
    // Held while a callback runs, so unschedule() can wait for it.
    std::mutex mutex;
    Callback callback;
    bool scheduled = false;
    bool reported = false;
    quint32 lastFlags = 0;
    std::atomic<bool> probing {false};
};

namespace {

// Any port will do: nothing is sent.
constexpr quint16 kProbePort = 80;

bool hasRoute(const QHostAddress &address)
{
    sockaddr_storage storage {};
    socklen_t length = 0;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto *in = reinterpret_cast<sockaddr_in *>(&storage);
        in->sin_family = AF_INET;
        in->sin_port = htons(kProbePort);
        in->sin_addr.s_addr = htonl(address.toIPv4Address());
        length = sizeof(sockaddr_in);
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(kProbePort);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
        length = sizeof(sockaddr_in6);
    } else {
        return false;
    }
    const int fd = ::socket(storage.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // Connecting a datagram socket only picks a route and a source address.
    const bool routed = ::connect(fd, reinterpret_cast<const sockaddr *>(&storage), length) == 0;
    ::close(fd);
    return routed;
}

} // namespace

std::unique_ptr<HostReachability> HostReachability::createWithName(const QByteArray &utf8Name)
{
    const QString name = QString::fromUtf8(utf8Name);
    // toAce() refuses what no resolver could look up (blanks, control characters).
    if (name.isEmpty() || utf8Name.contains('\0') || QUrl::toAce(name).isEmpty())
        return nullptr;
    return std::unique_ptr<HostReachability>(new HostReachability(name));
}

HostReachability::HostReachability(const QString &hostName)
    : m_shared(std::make_shared<Shared>(hostName))
{
    QObject::connect(&m_recheck, &QTimer::timeout, [this] { probeLater(); });
}

HostReachability::~HostReachability()
{
    unschedule();
}

QString HostReachability::hostName() const
{
    return m_shared->hostName;
}

void HostReachability::setCallback(Callback callback)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->callback = std::move(callback);
}

bool HostReachability::scheduleOn(SerialQueue &queue, QString *error)
{
    if (!QAbstractEventDispatcher::instance()) {
        *error = QStringLiteral("no event loop on this thread to time the probes");
        return false;
    }
    unschedule();
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->scheduled = true;
        m_shared->reported = false;
    }
    m_queue = &queue;
    m_recheck.start(durations().reachabilityRecheckMs);
    probeLater();
    return true;
}

void HostReachability::unschedule()
{
    m_recheck.stop();
    m_queue = nullptr;
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->scheduled = false;
}

void HostReachability::probeLater()
{
    // A slow lookup is not queued behind itself.
    if (!m_queue || m_shared->probing.exchange(true))
        return;
    m_queue->async([shared = m_shared] {
        const quint32 flags = probe(shared->hostName);
        shared->probing = false;
        std::lock_guard<std::mutex> lock(shared->mutex);
        if (!shared->scheduled || (shared->reported && flags == shared->lastFlags))
            return;
        shared->reported = true;
        shared->lastFlags = flags;
        if (shared->callback)
            shared->callback(flags);
    });
}

quint32 HostReachability::probe(const QString &hostName)
{
    // An address is taken as it is: QHostInfo would look its name up, and
    // where no name server answers that waits out the resolver's time-out.
    const QHostAddress literal(hostName);
    const QList<QHostAddress> addresses
        = literal.isNull() ? QHostInfo::fromName(hostName).addresses() : QList<QHostAddress> {literal};
    for (const QHostAddress &address : addresses) {
        if (hasRoute(address))
            return ReachabilityFlag::reachable;
    }
    return 0;
}
