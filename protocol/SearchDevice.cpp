#include "protocol/SearchDevice.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/LanProtocol.h"
#include "protocol/SearchDeviceDelegate.h"
#include "util/UdpError.h"
#include "util/UtilMethod.h"

#include <QHash>

SearchDevice::SearchDevice(SearchDeviceDelegate *delegate)
    : theDelegate(delegate)
{
}

SearchDevice::~SearchDevice()
{
    if (socket)
        socket->setDelegate(nullptr);
}

void SearchDevice::setFilterName(const QString &name)
{
    deviceName = name;
}

bool SearchDevice::startSearch()
{
    return startSearchWithLocalHost(QString());
}

bool SearchDevice::startSearchWithLocalHost(const QString &localHost)
{
    replyArray.clear();
    socket.reset(new AsyncUdpSocket(this));
    // Bind and broadcast failures end the search by timeout or send error.
    socket->bindToAddress(localHost, 0);
    socket->enableBroadcast(true);
    // Room for a burst of noise from some device, so that it does not push
    // out the recorders' replies before the loop has read it.
    socket->setReceiveBufferSize(kReceiveBufferBytes);
    searching = true;
    socket->receiveWithTimeout(durations().lanReplyMs, 0);
    return socket->sendData(searchRequest(), QStringLiteral("255.255.255.255"), LAN_PORT, durations().lanReplyMs, 0);
}

QList<TVexorReply> SearchDevice::getReplyArray()
{
    replyArray = filterTheIdenticalNVR(replyArray);
    return replyArray;
}

void SearchDevice::endSearch()
{
    searching = false;
    if (socket)
        socket->close();
}

QList<TVexorReply> SearchDevice::filterTheIdenticalNVR(const QList<TVexorReply> &list)
{
    QList<TVexorReply> kept;
    QHash<QString, int> keptByMac;
    for (const TVexorReply &reply : list) {
        const QString mac = UtilMethod::macToString(reply.macAddress);
        const auto first = keptByMac.constFind(mac);
        if (first == keptByMac.constEnd()) {
            keptByMac.insert(mac, int(kept.size()));
            kept << reply;
            continue;
        }
        const TVexorReply &original = kept[*first];
        Log::line(
            QStringLiteral("\n Fing the same NVR, remove it ! \n FIRST: IP = %1, MAC = %2 \n SECOND: IP =%3, MAC = %4")
                .arg(UtilMethod::ipToString(original.ipAddress), mac, UtilMethod::ipToString(reply.ipAddress), mac));
    }
    return kept;
}

bool SearchDevice::onUdpSocketDidReceiveData(
    AsyncUdpSocket *sock, const QByteArray &data, long, const QString &, quint16)
{
    if (sock != socket.get() || !searching || !takeReply(data))
        return false;
    // Each accepted reply opens a fresh wait for the next one.
    sock->receiveWithTimeout(durations().lanReplyMs, 0);
    return true;
}

bool SearchDevice::takeReply(const QByteArray &data)
{
    if (replyArray.size() >= kMaxReplies)
        return false;
    TVexorReply reply;
    QString model;
    if (deviceName.isEmpty() || !vexorReplyFromDatagram(data, &reply) || !vexorReplyModelName(reply, &model)
        || model != deviceName)
        return false;
    replyArray << reply;
    return true;
}

void SearchDevice::onUdpSocketDidNotReceiveData(AsyncUdpSocket *sock, long, const UdpError &error)
{
    reportEnd(sock, error);
}

void SearchDevice::onUdpSocketDidNotSendData(AsyncUdpSocket *sock, long, const UdpError &error)
{
    reportEnd(sock, error);
}

void SearchDevice::reportEnd(AsyncUdpSocket *sock, const UdpError &error)
{
    // Only the first end of the current search counts: a send failure and
    // the reply wait running out must not end it twice.
    if (sock != socket.get() || !searching)
        return;
    searching = false;
    if (theDelegate)
        theDelegate->onSearchEnd(this, error);
}
