#include "protocol/LanProtocol.h"

#include <cstring>

bool vexorReplyFromDatagram(const QByteArray &datagram, TVexorReply *reply)
{
    if (datagram.size() < kVexorReplySize)
        return false;
    std::memcpy(reply, datagram.constData(), sizeof *reply);
    return true;
}

std::optional<int> replyResultCode(const QByteArray &datagram, uint16_t opcode)
{
    uint16_t received = 0;
    if (!datagramOpcode(datagram, &received) || received != opcode)
        return std::nullopt;
    return int(datagramStatus(datagram));
}

QByteArray vexorReplyBytes(const TVexorReply &reply)
{
    return QByteArray(reinterpret_cast<const char *>(&reply), kVexorReplySize);
}

bool vexorReplyModelName(const TVexorReply &reply, QString *name)
{
    const char *field = reply.modelName;
    const size_t length = strnlen(field, sizeof reply.modelName);
    for (size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(field[i]) > 0x7F)
            return false;
    }
    *name = QString::fromLatin1(field, qsizetype(length));
    return true;
}
