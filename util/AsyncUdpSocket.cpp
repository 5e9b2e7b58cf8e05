#include "util/AsyncUdpSocket.h"

#include "platform/Log.h"
#include "util/AsyncUdpSocketDelegate.h"

#include <QPointer>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A flood of datagrams that the delegate drops must not starve the timers:
// after this many reads the loop gets control back.
constexpr int kMaxReadsPerWakeup = 64;

enum class HostLookup { Ok, NotIPv4, Failed };

HostLookup ipv4Address(const QString &host, in_addr *out, UdpError *error)
{
    const QString lower = host.toLower();
    if (lower == QLatin1String("localhost") || lower == QLatin1String("loopback")) {
        out->s_addr = htonl(INADDR_LOOPBACK);
        return HostLookup::Ok;
    }
    const QByteArray text = host.toUtf8();
    if (inet_pton(AF_INET, text.constData(), out) == 1)
        return HostLookup::Ok;
    in6_addr v6;
    if (inet_pton(AF_INET6, text.constData(), &v6) == 1) {
        if (error)
            *error = UdpError::socketError(AsyncUdpSocketIPv6Unavailable);
        return HostLookup::NotIPv4;
    }
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    const int rc = getaddrinfo(text.constData(), nullptr, &hints, &found);
    if (rc != 0 || !found) {
        if (error)
            *error = {kStreamNetDbErrorDomain, rc, QString::fromLocal8Bit(gai_strerror(rc))};
        return HostLookup::Failed;
    }
    *out = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return HostLookup::Ok;
}

QString dottedDecimal(const sockaddr_in &address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

} // namespace

// The delegate may close or release this socket inside the call; callers
// touch no member afterwards unless a QPointer says the socket still exists.
template<typename Call> void AsyncUdpSocket::callDelegate(Call call)
{
    if (!m_delegate)
        return;
    QPointer<AsyncUdpSocket> self(this);
    ++m_callbackDepth;
    call(m_delegate);
    if (self)
        --m_callbackDepth;
}

AsyncUdpSocket::AsyncUdpSocket(AsyncUdpSocketDelegate *delegate)
    : m_delegate(delegate)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        Log::line(QStringLiteral("AsyncUdpSocket: no IPv4 socket: %1").arg(UdpError::posix(errno).toString()));
        m_closed = true;
        return;
    }
    m_readNotifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    m_readNotifier->setEnabled(false);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &AsyncUdpSocket::doReceive);
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &AsyncUdpSocket::doSend);

    m_sendTimer.setSingleShot(true);
    m_receiveTimer.setSingleShot(true);
    // A coarse timer may fire 5% early: a 6 s reply wait would end at 5.7 s.
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    m_receiveTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_sendTimer, &QTimer::timeout, this, &AsyncUdpSocket::onSendTimeout);
    connect(&m_receiveTimer, &QTimer::timeout, this, &AsyncUdpSocket::onReceiveTimeout);
}

AsyncUdpSocket::~AsyncUdpSocket()
{
    closeDescriptor();
}

bool AsyncUdpSocket::bindToPort(quint16 port, UdpError *error)
{
    return bindToAddress(QString(), port, error);
}

bool AsyncUdpSocket::bindToAddress(const QString &address, quint16 port, UdpError *error)
{
    if (m_closed) {
        if (error)
            *error = {kAsyncUdpSocketErrorDomain, AsyncUdpSocketCFSocketError, QStringLiteral("The socket is closed.")};
        return false;
    }
    if (m_bound) {
        if (error)
            *error = {kAsyncUdpSocketErrorDomain, AsyncUdpSocketCFSocketError,
                QStringLiteral("Cannot bind a socket more than once.")};
        return false;
    }
    sockaddr_in local {};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!address.isEmpty() && ipv4Address(address, &local.sin_addr, error) != HostLookup::Ok)
        return false;
    const int reuse = 1;
    setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
        if (error)
            *error = UdpError::socketError(AsyncUdpSocketCFSocketError);
        return false;
    }
    m_bound = true;
    return true;
}

bool AsyncUdpSocket::enableBroadcast(bool enable, UdpError *error)
{
    const int value = enable ? 1 : 0;
    if (m_fd < 0 || setsockopt(m_fd, SOL_SOCKET, SO_BROADCAST, &value, sizeof value) != 0) {
        const UdpError failure {kStreamPosixErrorDomain, m_fd < 0 ? EBADF : errno,
            QStringLiteral("Unable to enable broadcast message sending")};
        Log::line(QStringLiteral("errMsg=%1").arg(failure.description));
        if (error)
            *error = failure;
        return false;
    }
    return true;
}

bool AsyncUdpSocket::setReceiveBufferSize(int bytes)
{
    return m_fd >= 0 && setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) == 0;
}

quint16 AsyncUdpSocket::localPort() const
{
    sockaddr_in local {};
    socklen_t length = sizeof local;
    if (m_fd < 0 || getsockname(m_fd, reinterpret_cast<sockaddr *>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

bool AsyncUdpSocket::sendData(const QByteArray &data, const QString &host, quint16 port, int timeoutMs, long tag)
{
    if (data.isEmpty() || m_closed)
        return false;
    AsyncSendPacket packet;
    packet.address.sin_family = AF_INET;
    packet.address.sin_port = htons(port);
    if (ipv4Address(host, &packet.address.sin_addr, nullptr) != HostLookup::Ok)
        return false;
    packet.buffer = data;
    packet.timeoutMs = timeoutMs;
    packet.tag = tag;
    m_sendQueue.push_back(std::move(packet));
    scheduleDequeueSend();
    return true;
}

void AsyncUdpSocket::receiveWithTimeout(int timeoutMs, long tag)
{
    if (m_closed)
        return;
    m_receiveQueue.push_back({timeoutMs, tag, {}});
    scheduleDequeueReceive();
}

void AsyncUdpSocket::close()
{
    if (m_closed && m_fd < 0)
        return;
    closeDescriptor();
    QPointer<AsyncUdpSocket> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self)
                self->callDelegate([&](AsyncUdpSocketDelegate *d) { d->onUdpSocketDidClose(self); });
        },
        Qt::QueuedConnection);
}

void AsyncUdpSocket::closeDescriptor()
{
    m_closed = true;
    m_sendTimer.stop();
    m_receiveTimer.stop();
    m_currentSend.reset();
    m_currentReceive.reset();
    m_sendQueue.clear();
    m_receiveQueue.clear();
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void AsyncUdpSocket::scheduleDequeueSend()
{
    if (m_sendDequeueScheduled)
        return;
    m_sendDequeueScheduled = true;
    QMetaObject::invokeMethod(this, &AsyncUdpSocket::maybeDequeueSend, Qt::QueuedConnection);
}

void AsyncUdpSocket::scheduleDequeueReceive()
{
    if (m_receiveDequeueScheduled)
        return;
    m_receiveDequeueScheduled = true;
    QMetaObject::invokeMethod(this, &AsyncUdpSocket::maybeDequeueReceive, Qt::QueuedConnection);
}

void AsyncUdpSocket::maybeDequeueSend()
{
    m_sendDequeueScheduled = false;
    if (m_closed || m_currentSend || m_sendQueue.empty())
        return;
    m_currentSend = std::move(m_sendQueue.front());
    m_sendQueue.pop_front();
    if (m_currentSend->timeoutMs >= 0)
        m_sendTimer.start(m_currentSend->timeoutMs);
    doSend();
}

void AsyncUdpSocket::doSend()
{
    if (m_closed || !m_currentSend)
        return;
    const AsyncSendPacket &packet = *m_currentSend;
    const ssize_t sent = ::sendto(m_fd, packet.buffer.constData(), size_t(packet.buffer.size()), 0,
        reinterpret_cast<const sockaddr *>(&packet.address), sizeof packet.address);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        m_writeNotifier->setEnabled(true);
        return;
    }
    completeCurrentSend(sent < 0 ? std::optional<UdpError>(UdpError::posix(errno)) : std::nullopt);
}

void AsyncUdpSocket::completeCurrentSend(const std::optional<UdpError> &error)
{
    const long tag = m_currentSend->tag;
    m_sendTimer.stop();
    m_writeNotifier->setEnabled(false);
    m_currentSend.reset();
    scheduleDequeueSend();
    callDelegate([&](AsyncUdpSocketDelegate *d) {
        if (error)
            d->onUdpSocketDidNotSendData(this, tag, *error);
        else
            d->onUdpSocketDidSendData(this, tag);
    });
}

void AsyncUdpSocket::onSendTimeout()
{
    if (m_currentSend)
        completeCurrentSend(UdpError::socketError(AsyncUdpSocketSendTimeoutError));
}

void AsyncUdpSocket::maybeDequeueReceive()
{
    m_receiveDequeueScheduled = false;
    if (m_closed || m_currentReceive || m_receiveQueue.empty())
        return;
    m_currentReceive = std::move(m_receiveQueue.front());
    m_receiveQueue.pop_front();
    if (m_currentReceive->timeoutMs >= 0)
        m_receiveTimer.start(m_currentReceive->timeoutMs);
    m_readNotifier->setEnabled(true);
    doReceive();
}

void AsyncUdpSocket::doReceive()
{
    QPointer<AsyncUdpSocket> self(this);
    for (int reads = 0; reads < kMaxReadsPerWakeup && self && !m_closed && m_currentReceive; ++reads) {
        QByteArray data(maxReceiveBufferSize, Qt::Uninitialized);
        sockaddr_in from {};
        socklen_t fromLength = sizeof from;
        const ssize_t received
            = ::recvfrom(m_fd, data.data(), size_t(data.size()), 0, reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (received < 0)
            return; // nothing waiting (or a transient error): the notifier calls again
        data.truncate(int(received));
        m_currentReceive->buffer = data;
        const long tag = m_currentReceive->tag;
        bool accepted = false;
        callDelegate([&](AsyncUdpSocketDelegate *d) {
            accepted = d->onUdpSocketDidReceiveData(this, data, tag, dottedDecimal(from), ntohs(from.sin_port));
        });
        if (!self || m_closed)
            return;
        if (accepted) {
            m_receiveTimer.stop();
            m_currentReceive.reset();
            m_readNotifier->setEnabled(false);
            scheduleDequeueReceive();
            return;
        }
    }
}

void AsyncUdpSocket::onReceiveTimeout()
{
    if (!m_currentReceive)
        return;
    const long tag = m_currentReceive->tag;
    m_currentReceive.reset();
    m_readNotifier->setEnabled(false);
    scheduleDequeueReceive();
    callDelegate([&](AsyncUdpSocketDelegate *d) {
        d->onUdpSocketDidNotReceiveData(this, tag, UdpError::socketError(AsyncUdpSocketReceiveTimeoutError));
    });
}

void AsyncUdpSocketDeleter::operator()(AsyncUdpSocket *socket) const
{
    if (!socket)
        return;
    if (!socket->isClosed())
        socket->close();
    if (socket->isInCallback())
        socket->deleteLater();
    else
        delete socket;
}
