#pragma once

#include "protocol/TVexorReply.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Building and reading the configuration requests of the LAN protocol.
namespace LandapRequest {

// Whether a user name or password fits a text slot.
bool fitsSlot(const QString &text);

// The head addressed to the target's MAC and IP, "ww" status, head flag 1.
CmdHead configHead(uint16_t opcode, const TVexorReply &target, int requestSize);

// Requests in zero-filled buffers. The texts must fit their slots.
QByteArray userVerify(const TVexorReply &target, const QString &user, const QString &password);
QByteArray userChange(const TVexorReply &target, const QString &user, const QString &oldPassword,
    const QString &newName, const QString &newPassword);

// The text of a slot of a received request: its Base64 decoded as UTF-8.
// False when the slot holds no valid Base64 (the slot need not be NUL-terminated).
bool slotText(const QByteArray &request, int offset, QString *text);

} // namespace LandapRequest
