// libFuzzer target: whatever a recorder or a datagram on the LAN hands us goes
// through the answer parsers without crashing, and the parsers keep their
// promises about what they return.
#include "protocol/LanProtocol.h"
#include "util/UtilMethod.h"
#include "webconfig/AnswerText.h"
#include "webconfig/RecordParsers.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

void parseAnswer(const QString &text)
{
    const QStringList lines = AnswerText::lines(text);
    for (const QString &line : lines) {
        require(!line.contains(QLatin1String("\r\n")));
        if (const auto kv = AnswerText::keyValue(line)) {
            require(!kv->key.contains(QLatin1Char('=')) && !kv->value.contains(QLatin1Char('=')));
            RecordParsers::partition(kv->value);
            RecordParsers::leadingInt(kv->value);
        }
        RecordParsers::cameraLine(line);
    }
    RecordParsers::hddInfo(text);
    RecordParsers::nimboraInfo(text);
    RecordParsers::nimboraRegInfo(text);
    RecordParsers::dateInfo(text);
    RecordParsers::recordingInfo(text);
    AnswerText::firstKeyValue(text);
}

void parseDatagram(const QByteArray &datagram)
{
    TVexorReply reply;
    if (!vexorReplyFromDatagram(datagram, &reply)) {
        require(datagram.size() < kVexorReplySize);
        return;
    }
    QString model;
    vexorReplyModelName(reply, &model);
    UtilMethod::macToString(reply.macAddress);
    UtilMethod::ipToString(reply.ipAddress);
    require(vexorReplyBytes(reply) == datagram.left(kVexorReplySize));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    parseAnswer(AnswerText::fromAscii(bytes));
    parseAnswer(AnswerText::fromUtf8(bytes));
    parseDatagram(bytes);
    return 0;
}
