// libFuzzer target: datagrams off the LAN as the discovery search and the
// configuration commands judge them, through the functions their socket
// callbacks call. The input is a run of datagrams, each a 16-bit
// little-endian length followed by that many bytes (fewer at the end).
#include "FuzzSupport.h"
#include "protocol/LanProtocol.h"
#include "protocol/LandapRequest.h"
#include "protocol/SearchDevice.h"
#include "util/UtilMethod.h"

#include <QHash>
#include <QList>

namespace {

const QString kModel = QStringLiteral("HRX-540A");

QList<QByteArray> datagrams(const QByteArray &bytes)
{
    QList<QByteArray> list;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    qsizetype at = 0;
    while (at + 2 <= bytes.size()) {
        const qsizetype length = std::min<qsizetype>(readLe16(data + at), bytes.size() - at - 2);
        list << bytes.mid(at + 2, length);
        at += 2 + length;
    }
    return list;
}

// The rule a discovery reply is held to, read straight off the bytes.
bool isRecorderReply(const QByteArray &datagram)
{
    if (datagram.size() < kVexorReplySize)
        return false;
    const QByteArray field = datagram.mid(150, 32);
    const qsizetype nul = field.indexOf('\0');
    return field.left(nul < 0 ? field.size() : nul) == kModel.toLatin1();
}

void checkCommandReply(const QByteArray &datagram)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(datagram.constData());
    for (const uint16_t opcode : {OP_SEARCH, OP_USER_VERIFY, OP_USER_CHANGE}) {
        const std::optional<int> result = replyResultCode(datagram, opcode);
        const bool answers = datagram.size() >= kMinReplySize && readLe16(bytes + 4) == opcode;
        FUZZ_REQUIRE(result.has_value() == answers);
        FUZZ_REQUIRE(!result || *result == readLe16(bytes + 16));
    }
    // The simulator reads the text slots of the requests it receives.
    for (const int offset : {kUserSlotOffset, kPasswordSlotOffset, kNewUserSlotOffset, kNewPasswordSlotOffset}) {
        QString text;
        LandapRequest::slotText(datagram, offset, &text);
    }
}

} // namespace

NVR_FUZZ_TARGET(bytes)
{
    SearchDevice search(nullptr);
    search.setFilterName(kModel);
    // Each MAC's first accepted reply, in arrival order: what the list must hold.
    QHash<QString, QByteArray> firstByMac;
    QStringList macOrder;
    for (const QByteArray &datagram : datagrams(bytes)) {
        checkCommandReply(datagram);
        const bool taken = search.takeReply(datagram);
        FUZZ_REQUIRE(taken == isRecorderReply(datagram));
        if (!taken)
            continue;
        TVexorReply reply;
        FUZZ_REQUIRE(vexorReplyFromDatagram(datagram, &reply));
        const QString mac = UtilMethod::macToString(reply.macAddress);
        if (!firstByMac.contains(mac)) {
            firstByMac.insert(mac, datagram.left(kVexorReplySize));
            macOrder << mac;
        }
    }
    const QList<TVexorReply> replies = search.getReplyArray();
    FUZZ_REQUIRE(replies.size() == macOrder.size());
    for (qsizetype i = 0; i < replies.size(); ++i)
        FUZZ_REQUIRE(vexorReplyBytes(replies[i]) == firstByMac.value(macOrder[i]));
    FUZZ_REQUIRE(search.getReplyArray().size() == replies.size());
}
