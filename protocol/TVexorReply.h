#pragma once

#include <cstddef>
#include <cstdint>

// The 22-byte head that starts every datagram of the LAN protocol. 16-bit
// fields are little-endian on the wire; they are kept as bytes so the record
// is the wire layout on any host.
#pragma pack(push, 1)
struct CmdHead
{
    uint8_t magic[2];
    uint8_t sequence[2];
    uint8_t opcode[2];
    uint8_t targetMac[6];
    uint8_t targetIp[4];
    uint8_t status[2];
    uint8_t headFlag[2];
    uint8_t bodyLength[2];
};

// A discovery reply: the identity of a device everywhere in the wizard,
// always held as an owned copy of all 334 bytes.
struct TVexorReply
{
    CmdHead head;
    char userField[64];
    char passwordField[64];
    char modelName[32];
    char firmwareVersion[32];
    uint8_t reserved214[2];
    uint8_t reserved216[4];
    uint8_t macAddress[6];
    char settingsText[64];
    uint8_t ipAddress[4];
    uint8_t httpPort[2];
    uint8_t netFlags;
    uint8_t netAux;
    uint8_t subnetMask[4];
    uint8_t gateway[4];
    uint8_t primaryDns[4];
    uint8_t secondaryDns[4];
    uint8_t dhcpEnabled;
    char reserved315[16];
    uint8_t reserved331[2];
    uint8_t reserved333;
};
#pragma pack(pop)

static_assert(sizeof(CmdHead) == 22, "CmdHead is 22 bytes on the wire");
static_assert(sizeof(TVexorReply) == 334, "TVexorReply is 334 bytes on the wire");
static_assert(offsetof(TVexorReply, userField) == 22);
static_assert(offsetof(TVexorReply, passwordField) == 86);
static_assert(offsetof(TVexorReply, modelName) == 150);
static_assert(offsetof(TVexorReply, firmwareVersion) == 182);
static_assert(offsetof(TVexorReply, macAddress) == 220);
static_assert(offsetof(TVexorReply, settingsText) == 226);
static_assert(offsetof(TVexorReply, ipAddress) == 290);
static_assert(offsetof(TVexorReply, httpPort) == 294);
static_assert(offsetof(TVexorReply, subnetMask) == 298);
static_assert(offsetof(TVexorReply, gateway) == 302);
static_assert(offsetof(TVexorReply, primaryDns) == 306);
static_assert(offsetof(TVexorReply, secondaryDns) == 310);
static_assert(offsetof(TVexorReply, dhcpEnabled) == 314);
static_assert(offsetof(TVexorReply, reserved315) == 315);
static_assert(offsetof(TVexorReply, reserved333) == 333);
