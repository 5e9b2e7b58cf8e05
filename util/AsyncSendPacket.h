#pragma once

#include <QByteArray>

#include <netinet/in.h>

// One queued send of AsyncUdpSocket.
struct AsyncSendPacket
{
    QByteArray buffer;
    sockaddr_in address {};
    int timeoutMs = -1; // negative: no timer
    long tag = 0;
};
