#pragma once

#include "protocol/TVexorReply.h"
#include "util/AsyncUdpSocket.h"
#include "util/AsyncUdpSocketDelegate.h"

#include <QList>
#include <QString>

class SearchDeviceDelegate;

// Broadcast discovery: sends the discovery request to 255.255.255.255 and
// collects the replies whose model name equals the filter name, for as long as
// they keep coming at most one reply wait (lanReplyMs) apart.
//
// Datagrams shorter than a full 334-byte record are not accepted; longer ones
// are cut to 334 bytes. At most kMaxReplies records are kept per search, so a
// flood of replies can neither exhaust memory nor keep the search open forever.
class SearchDevice : public AsyncUdpSocketDelegate
{
public:
    static constexpr int kMaxReplies = 4096;
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

    explicit SearchDevice(SearchDeviceDelegate *delegate);
    ~SearchDevice() override;

    void setFilterName(const QString &name);
    QString filterName() const { return deviceName; }

    // startSearchWithLocalHost with no local address.
    bool startSearch();
    // Starts a new search (the list is emptied, a new socket is bound to the
    // given local address, or any address when empty). True when the request
    // was queued for sending.
    bool startSearchWithLocalHost(const QString &localHost);
    // The accepted records without MAC duplicates, in arrival order; it also
    // replaces the stored list by that list.
    QList<TVexorReply> getReplyArray();
    // Closes the socket; pending receives are dropped without callbacks.
    void endSearch();

    // A new list without MAC duplicates (the first record of a MAC wins); logs
    // each duplicate with both addresses.
    static QList<TVexorReply> filterTheIdenticalNVR(const QList<TVexorReply> &list);

    // Judges one datagram as the socket hands it over: keeps it when it is a
    // full record with the filter's model name and the list is not full.
    bool takeReply(const QByteArray &data);

    // AsyncUdpSocketDelegate
    bool onUdpSocketDidReceiveData(
        AsyncUdpSocket *sock, const QByteArray &data, long tag, const QString &host, quint16 port) override;
    void onUdpSocketDidNotReceiveData(AsyncUdpSocket *sock, long tag, const UdpError &error) override;
    void onUdpSocketDidNotSendData(AsyncUdpSocket *sock, long tag, const UdpError &error) override;

private:
    void reportEnd(AsyncUdpSocket *sock, const UdpError &error);

    SearchDeviceDelegate *theDelegate;
    AsyncUdpSocketPtr socket;
    QList<TVexorReply> replyArray;
    QString deviceName;
    bool searching = false;
};
