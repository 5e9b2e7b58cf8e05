// libFuzzer target: whatever a recorder answers its /config/ commands goes
// through the answer parsers without crashing, and the parsers keep their
// promises about what they return.
#include "FuzzSupport.h"
#include "steps/TimeZoneMatch.h"
#include "webconfig/AnswerText.h"
#include "webconfig/RecordParsers.h"

namespace {

// A discovery line's fields 1 to 8, as the record holds them, give the line
// back from its first ";" on; no field holds a ";" and none follows a gap.
void checkCameraLine(const QString &line)
{
    const std::shared_ptr<TCameraInfo> camera = RecordParsers::cameraLine(line);
    FUZZ_REQUIRE(camera->isAdded() == QStringLiteral("0"));
    const RecordText fields[] = {camera->ip(), camera->mac(), camera->brandName(), camera->modelName(),
        camera->userName(), camera->passWord(), camera->protocol(), camera->protocolType()};
    QStringList present;
    bool gap = false;
    for (const RecordText &field : fields) {
        FUZZ_REQUIRE(!(gap && field));
        gap = !field;
        if (field) {
            FUZZ_REQUIRE(!field->contains(QLatin1Char(';')));
            present << *field;
        }
    }
    FUZZ_REQUIRE(present.join(QLatin1Char(';')) == line.section(QLatin1Char(';'), 1, 8));
}

void parseAnswer(const QString &text)
{
    const QStringList lines = AnswerText::lines(text);
    for (const QString &line : lines) {
        FUZZ_REQUIRE(!line.contains(QLatin1String("\r\n")));
        if (const auto kv = AnswerText::keyValue(line)) {
            FUZZ_REQUIRE(!kv->key.contains(QLatin1Char('=')) && !kv->value.contains(QLatin1Char('=')));
            RecordParsers::partition(kv->value);
            RecordParsers::leadingInt(kv->value);
        }
        checkCameraLine(line);
    }
    const std::shared_ptr<THddInfo> hdd = RecordParsers::hddInfo(text);
    FUZZ_REQUIRE(hdd->partitionInfos().size() <= lines.size());
    RecordParsers::nimboraInfo(text);
    RecordParsers::nimboraRegInfo(text);
    RecordParsers::dateInfo(text);
    RecordParsers::recordingInfo(text);
    AnswerText::firstKeyValue(text);
}

// The time-zone list goes on to the zone proposal and the picker's search,
// which only ever hand back entries of the list.
void checkZoneList(const QString &text)
{
    const std::optional<AnswerText::KeyValue> kv = AnswerText::firstKeyValue(text);
    if (!kv)
        return;
    const QStringList zones = kv->value.split(QLatin1Char(';'));
    for (const ComputerTimeZone &computer : {ComputerTimeZone {QStringLiteral("Asia/Taipei"), 8 * 3600},
             ComputerTimeZone {QStringLiteral("Asia/Kolkata"), 19800}, ComputerTimeZone {QStringLiteral("UTC"), 0}}) {
        const TimeZoneMatch::Proposal proposal = TimeZoneMatch::propose(zones, computer);
        FUZZ_REQUIRE(proposal.zone.isEmpty() == (proposal.by == TimeZoneMatch::By::Nothing));
        FUZZ_REQUIRE(proposal.zone.isEmpty() || zones.contains(proposal.zone));
    }
    const QStringList found = TimeZoneMatch::search(zones, kv->key);
    FUZZ_REQUIRE(found.size() <= zones.size());
    for (const QString &zone : found)
        FUZZ_REQUIRE(zones.contains(zone));
}

} // namespace

NVR_FUZZ_TARGET(bytes)
{
    parseAnswer(AnswerText::fromAscii(bytes));
    // The time-zone list is read as UTF-8.
    const QString utf8 = AnswerText::fromUtf8(bytes);
    parseAnswer(utf8);
    checkZoneList(utf8);
}
