#pragma once

#include <QByteArray>

// One queued receive of AsyncUdpSocket.
struct AsyncReceivePacket
{
    int timeoutMs = -1; // negative: no timer
    long tag = 0;
    QByteArray buffer; // the datagram being offered
};
