#include "protocol/LandapRequest.h"

#include "protocol/LanProtocol.h"
#include "util/Base64.h"

#include <cstring>

namespace LandapRequest {

namespace {

void putSlot(QByteArray &request, int offset, const QString &text)
{
    const QByteArray encoded = Base64::encode(text.toUtf8());
    Q_ASSERT(encoded.size() <= kTextSlotSize);
    std::memcpy(
        request.data() + offset, encoded.constData(), size_t(std::min<qsizetype>(encoded.size(), kTextSlotSize)));
}

QByteArray requestWithHead(uint16_t opcode, const TVexorReply &target, int size)
{
    QByteArray request(size, '\0');
    const CmdHead head = configHead(opcode, target, size);
    std::memcpy(request.data(), &head, sizeof head);
    return request;
}

} // namespace

bool fitsSlot(const QString &text)
{
    return text.toUtf8().size() <= kMaxTextUtf8Bytes;
}

CmdHead configHead(uint16_t opcode, const TVexorReply &target, int requestSize)
{
    CmdHead head {};
    head.magic[0] = head.magic[1] = 0xFD;
    writeLe16(head.opcode, opcode);
    std::memcpy(head.targetMac, target.macAddress, sizeof head.targetMac);
    std::memcpy(head.targetIp, target.ipAddress, sizeof head.targetIp);
    head.status[0] = head.status[1] = 0x77;
    writeLe16(head.headFlag, 1);
    writeLe16(head.bodyLength, uint16_t(requestSize - kCmdHeadSize));
    return head;
}

QByteArray userVerify(const TVexorReply &target, const QString &user, const QString &password)
{
    QByteArray request = requestWithHead(OP_USER_VERIFY, target, kUserVerifyRequestSize);
    putSlot(request, kUserSlotOffset, user);
    putSlot(request, kPasswordSlotOffset, password);
    return request;
}

QByteArray userChange(const TVexorReply &target, const QString &user, const QString &oldPassword,
    const QString &newName, const QString &newPassword)
{
    QByteArray request = requestWithHead(OP_USER_CHANGE, target, kUserChangeRequestSize);
    putSlot(request, kUserSlotOffset, user);
    putSlot(request, kPasswordSlotOffset, oldPassword);
    putSlot(request, kNewUserSlotOffset, newName);
    putSlot(request, kNewPasswordSlotOffset, newPassword);
    return request;
}

bool slotText(const QByteArray &request, int offset, QString *text)
{
    if (offset < 0 || request.size() < offset + kTextSlotSize)
        return false;
    const char *slot = request.constData() + offset;
    const QByteArray encoded(slot, qsizetype(strnlen(slot, kTextSlotSize)));
    QByteArray bytes;
    if (!Base64::decode(encoded, &bytes))
        return false;
    *text = QString::fromUtf8(bytes);
    return true;
}

} // namespace LandapRequest
