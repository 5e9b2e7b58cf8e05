#pragma once

#include "util/AsyncReceivePacket.h"
#include "util/AsyncSendPacket.h"
#include "util/UdpError.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

class AsyncUdpSocketDelegate;
class QSocketNotifier;

// An IPv4 UDP socket driven by the Qt event loop of the thread that creates
// it: queued sends and receives, each with its own timer and tag, and every
// outcome reported to the delegate on a later pass of the loop.
//
// Timeouts are in milliseconds; a negative timeout means no timer.
// Datagrams longer than maxReceiveBufferSize are cut to that size.
// After close() no callback arrives except onUdpSocketDidClose on the next pass.
// Destroying an open socket closes it without any callback.
class AsyncUdpSocket : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxReceiveBufferSize = 9216;

    // initIPv4: an IPv4 datagram socket.
    explicit AsyncUdpSocket(AsyncUdpSocketDelegate *delegate = nullptr);
    ~AsyncUdpSocket() override;

    void setDelegate(AsyncUdpSocketDelegate *delegate) { m_delegate = delegate; }
    AsyncUdpSocketDelegate *delegate() const { return m_delegate; }

    bool bindToPort(quint16 port, UdpError *error = nullptr);
    // An empty address binds to any address; port 0 lets the system pick.
    bool bindToAddress(const QString &address, quint16 port, UdpError *error = nullptr);
    bool enableBroadcast(bool enable, UdpError *error = nullptr);
    // Asks the system to queue this many bytes of datagrams not read yet
    // (it may grant less); false when it refuses outright.
    bool setReceiveBufferSize(int bytes);

    // False at once for empty data, a closed socket or a host that cannot be
    // turned into an IPv4 address ("localhost"/"loopback" mean 127.0.0.1,
    // numeric addresses are taken as they are, other names are resolved).
    bool sendData(const QByteArray &data, const QString &host, quint16 port, int timeoutMs, long tag);
    void receiveWithTimeout(int timeoutMs, long tag);

    void close();

    bool isClosed() const { return m_closed; }
    bool isBound() const { return m_bound; }
    quint16 localPort() const;
    // True while one of this socket's delegate callbacks is running.
    bool isInCallback() const { return m_callbackDepth > 0; }

private:
    void scheduleDequeueSend();
    void scheduleDequeueReceive();
    void maybeDequeueSend();
    void maybeDequeueReceive();
    void doSend();
    void doReceive();
    void completeCurrentSend(const std::optional<UdpError> &error);
    void onSendTimeout();
    void onReceiveTimeout();
    void closeDescriptor();
    template<typename Call> void callDelegate(Call call);

    AsyncUdpSocketDelegate *m_delegate = nullptr;
    int m_fd = -1;
    bool m_bound = false;
    bool m_closed = false;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;

    std::deque<AsyncSendPacket> m_sendQueue;
    std::deque<AsyncReceivePacket> m_receiveQueue;
    std::optional<AsyncSendPacket> m_currentSend;
    std::optional<AsyncReceivePacket> m_currentReceive;
    QTimer m_sendTimer;
    QTimer m_receiveTimer;
    bool m_sendDequeueScheduled = false;
    bool m_receiveDequeueScheduled = false;
    int m_callbackDepth = 0;
};

// Closes and deletes a socket; from inside one of its own callbacks the
// deletion waits for the next pass of the loop. Owners clear the socket's
// delegate before they go away.
struct AsyncUdpSocketDeleter
{
    void operator()(AsyncUdpSocket *socket) const;
};
using AsyncUdpSocketPtr = std::unique_ptr<AsyncUdpSocket, AsyncUdpSocketDeleter>;
