#include "sim/lan/SimReplies.h"

#include "protocol/LanProtocol.h"
#include "util/UtilMethod.h"

#include <cstring>

namespace SimReplies {

namespace {

void putText(char *field, size_t size, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::memcpy(field, bytes.constData(), std::min(size, size_t(bytes.size())));
}

void putIp(uint8_t *field, const QString &text)
{
    if (!text.isEmpty())
        UtilMethod::stringToIp(text, field);
}

QByteArray noiseBytes(uint32_t seed, int size)
{
    QByteArray noise(size, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((seed >> (i % 24)) * 131 + uint32_t(i) * 37);
    return noise;
}

QByteArray garbage(const SimRecorder &recorder)
{
    QByteArray noise = noiseBytes(uint32_t(qHash(recorder.mac)), kVexorReplySize);
    // Never a readable model name, whatever the noise.
    noise[int(offsetof(TVexorReply, modelName))] = char(0xFF);
    return noise;
}

// The head and identity that every device's record carries.
TVexorReply deviceRecord(const QString &model, const QString &mac, const QString &ip, uint16_t opcode, uint16_t status)
{
    TVexorReply reply {};
    reply.head.magic[0] = reply.head.magic[1] = 0xFD;
    writeLe16(reply.head.opcode, opcode);
    UtilMethod::stringToMac(mac, reply.head.targetMac);
    putIp(reply.head.targetIp, ip);
    writeLe16(reply.head.status, status);
    writeLe16(reply.head.bodyLength, uint16_t(kVexorReplySize - kCmdHeadSize));
    putText(reply.modelName, sizeof reply.modelName, model);
    UtilMethod::stringToMac(mac, reply.macAddress);
    putIp(reply.ipAddress, ip);
    return reply;
}

} // namespace

TVexorReply cameraReply(const SimCamera &camera, uint16_t opcode, uint16_t status)
{
    TVexorReply reply = deviceRecord(camera.model, camera.mac, camera.ip, opcode, status);
    writeLe16(reply.httpPort, 80);
    return reply;
}

TVexorReply vexorReply(const SimRecorder &recorder, uint16_t opcode, uint16_t status)
{
    TVexorReply reply = deviceRecord(recorder.model, recorder.mac, recorder.ip, opcode, status);
    putText(reply.firmwareVersion, sizeof reply.firmwareVersion, recorder.firmware);
    writeLe16(reply.httpPort, uint16_t(recorder.webPort));
    putIp(reply.subnetMask, recorder.mask);
    putIp(reply.gateway, recorder.gateway);
    putIp(reply.primaryDns, recorder.dns);
    putIp(reply.secondaryDns, recorder.dns2);
    reply.dhcpEnabled = recorder.dhcp ? 1 : 0;
    return reply;
}

QList<QByteArray> discovery(const SimRecorder &recorder)
{
    const SimMisbehaviour &m = recorder.misbehave;
    if (m.silent)
        return {};
    QByteArray datagram;
    if (m.garbage) {
        datagram = garbage(recorder);
    } else {
        TVexorReply reply = vexorReply(recorder, OP_SEARCH, 0);
        if (!m.wrongModel.isEmpty()) {
            std::memset(reply.modelName, 0, sizeof reply.modelName);
            putText(reply.modelName, sizeof reply.modelName, m.wrongModel);
        }
        datagram = vexorReplyBytes(reply);
    }
    if (m.shortBytes > 0)
        datagram.truncate(m.shortBytes);
    if (m.overLongBytes > 0)
        datagram.append(QByteArray(m.overLongBytes, char(0x5A)));
    QList<QByteArray> datagrams {datagram};
    if (m.answerTwice)
        datagrams << datagram;
    return datagrams;
}

QByteArray flood(const SimRecorder &recorder, int n)
{
    QByteArray noise = noiseBytes(uint32_t(qHash(recorder.mac)) + uint32_t(n), 1 + (n * 97) % 1400);
    // An opcode that no request has, so no flood datagram passes for an answer.
    if (noise.size() >= 6)
        noise[4] = noise[5] = char(0xEE);
    return noise;
}

} // namespace SimReplies
