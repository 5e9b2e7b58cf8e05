#include "sim/lan/SimUdpEndpoint.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SimUdpEndpoint::SimUdpEndpoint(Receiver receiver)
    : m_receiver(std::move(receiver))
{
}

SimUdpEndpoint::~SimUdpEndpoint()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SimUdpEndpoint::open(quint16 port, QString *error)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0) {
        *error = systemError();
        return false;
    }
    const int on = 1;
    // Large bursts of replies must not be cut short by a small send buffer.
    const int sendBuffer = 4 * 1024 * 1024;
    ::setsockopt(m_fd, SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    // No address reuse: a second simulator in the same namespace must fail to
    // start rather than answer the first one's requests too.
    if (::setsockopt(m_fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0
        || ::setsockopt(m_fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) < 0
        || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) < 0) {
        *error = systemError();
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimUdpEndpoint::readPending);
    return true;
}

void SimUdpEndpoint::readPending()
{
    for (;;) {
        char buffer[65536];
        char control[CMSG_SPACE(sizeof(in_pktinfo))];
        sockaddr_in from {};
        iovec iov {buffer, sizeof buffer};
        msghdr message {};
        message.msg_name = &from;
        message.msg_namelen = sizeof from;
        message.msg_iov = &iov;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t size = ::recvmsg(m_fd, &message, 0);
        if (size < 0)
            return;
        Datagram datagram;
        datagram.data = QByteArray(buffer, qsizetype(size));
        datagram.fromHost = QString::fromLatin1(inet_ntoa(from.sin_addr));
        datagram.fromPort = ntohs(from.sin_port);
        for (cmsghdr *c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
            if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                in_pktinfo info;
                std::memcpy(&info, CMSG_DATA(c), sizeof info);
                datagram.toAddress = QString::fromLatin1(inet_ntoa(info.ipi_addr));
            }
        }
        m_receiver(datagram);
    }
}

bool SimUdpEndpoint::send(
    const QByteArray &data, const QString &toHost, quint16 toPort, const QString &sourceIp, QString *error)
{
    sockaddr_in to {};
    to.sin_family = AF_INET;
    to.sin_port = htons(toPort);
    if (inet_pton(AF_INET, toHost.toLatin1().constData(), &to.sin_addr) != 1) {
        *error = QStringLiteral("bad destination %1").arg(toHost);
        return false;
    }
    iovec iov {const_cast<char *>(data.constData()), size_t(data.size())};
    msghdr message {};
    message.msg_name = &to;
    message.msg_namelen = sizeof to;
    message.msg_iov = &iov;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    in_pktinfo info {};
    if (inet_pton(AF_INET, sourceIp.toLatin1().constData(), &info.ipi_spec_dst) == 1) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr *c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof info);
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    // A full send buffer clears quickly on the lab's links: retry a few times.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::sendmsg(m_fd, &message, 0) >= 0)
            return true;
        if (errno == EINVAL && message.msg_control) {
            // Not an address of this namespace: let the kernel pick the source.
            message.msg_control = nullptr;
            message.msg_controllen = 0;
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            break;
        ::usleep(1000);
    }
    *error = systemError();
    return false;
}
