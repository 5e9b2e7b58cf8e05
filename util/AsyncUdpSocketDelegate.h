#pragma once

#include <QByteArray>
#include <QString>

class AsyncUdpSocket;
struct UdpError;

// What an AsyncUdpSocket tells its owner. Every operation is optional: the
// defaults do nothing. All calls arrive on the socket's thread, one at a time,
// never inside the call (sendData, receiveWithTimeout, close) that caused them.
class AsyncUdpSocketDelegate
{
public:
    virtual ~AsyncUdpSocketDelegate() = default;

    // The operating system accepted the datagram.
    virtual void onUdpSocketDidSendData(AsyncUdpSocket *, long /*tag*/) { }
    // Sending failed (POSIX error) or the send timer fired (code 4).
    virtual void onUdpSocketDidNotSendData(AsyncUdpSocket *, long /*tag*/, const UdpError &) { }
    // A datagram arrived while a receive is current. Returning true completes
    // that receive; false drops the datagram and keeps the same receive and its
    // running timer. A delegate that does not answer drops every datagram.
    virtual bool onUdpSocketDidReceiveData(
        AsyncUdpSocket *, const QByteArray & /*data*/, long /*tag*/, const QString & /*host*/, quint16 /*port*/)
    {
        return false;
    }
    // The current receive's timer fired (code 5); the next queued receive starts afterwards.
    virtual void onUdpSocketDidNotReceiveData(AsyncUdpSocket *, long /*tag*/, const UdpError &) { }
    // After close(), on the next pass of the event loop.
    virtual void onUdpSocketDidClose(AsyncUdpSocket *) { }
};
