#pragma once

#include "protocol/TVexorReply.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Constants and byte helpers of the LAN discovery and configuration protocol.
constexpr uint16_t LAN_PORT = 62976;

constexpr uint16_t OP_SEARCH = 161; // 0xA1
constexpr uint16_t OP_USER_VERIFY = 163; // 0xA3
constexpr uint16_t OP_USER_CHANGE = 164; // 0xA4

constexpr int kCmdHeadSize = int(sizeof(CmdHead));
constexpr int kVexorReplySize = int(sizeof(TVexorReply));
constexpr int kUserVerifyRequestSize = 150;
constexpr int kUserChangeRequestSize = 278;
// A datagram shorter than this carries no result code and is not a reply.
constexpr int kMinReplySize = 18;

// Text slots of configuration requests: Base64 of the UTF-8 bytes, which must
// fit the 64-byte slot, so at most 48 UTF-8 bytes.
constexpr int kTextSlotSize = 64;
constexpr int kMaxTextUtf8Bytes = 48;
constexpr int kUserSlotOffset = 22;
constexpr int kPasswordSlotOffset = 86;
constexpr int kNewUserSlotOffset = 150;
constexpr int kNewPasswordSlotOffset = 214;

// The discovery request, sent as it stands.
inline const QByteArray &searchRequest()
{
    static const QByteArray request(
        "\xFD\xFD\x00\x00\xA1\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00", kCmdHeadSize);
    return request;
}

inline uint16_t readLe16(const uint8_t *bytes)
{
    return uint16_t(bytes[0] | (bytes[1] << 8));
}

inline void writeLe16(uint8_t *bytes, uint16_t value)
{
    bytes[0] = uint8_t(value & 0xFF);
    bytes[1] = uint8_t(value >> 8);
}

// The opcode and status of a datagram, read only when it is long enough.
inline bool datagramOpcode(const QByteArray &datagram, uint16_t *opcode)
{
    if (datagram.size() < kMinReplySize)
        return false;
    *opcode = readLe16(reinterpret_cast<const uint8_t *>(datagram.constData()) + 4);
    return true;
}

inline uint16_t datagramStatus(const QByteArray &datagram)
{
    return readLe16(reinterpret_cast<const uint8_t *>(datagram.constData()) + 16);
}

// The result code of a reply to the command with this opcode; none when the
// datagram is too short to be a reply or answers another command.
std::optional<int> replyResultCode(const QByteArray &datagram, uint16_t opcode);

// A record copied from the first bytes of a datagram; false when it is
// shorter than a full record (such datagrams are never taken as records).
bool vexorReplyFromDatagram(const QByteArray &datagram, TVexorReply *reply);
QByteArray vexorReplyBytes(const TVexorReply &reply);

// The model name as ASCII text up to its first NUL; false when it holds a
// byte outside ASCII.
bool vexorReplyModelName(const TVexorReply &reply, QString *name);
