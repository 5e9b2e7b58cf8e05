#include "sim/core/SimWebRecorder.h"

#include <QJsonArray>

namespace {

// The recorder's own zone names; the wizard matches the computer's zone by name.
const QStringList kEnglishZones {QStringLiteral("(GMT-12:00) International Date Line West"),
    QStringLiteral("(GMT-11:00) Midway Island, Samoa"), QStringLiteral("(GMT-10:00) Hawaii"),
    QStringLiteral("(GMT-09:00) Alaska"), QStringLiteral("(GMT-08:00) Pacific Time (US & Canada)"),
    QStringLiteral("(GMT-07:00) Mountain Time (US & Canada)"), QStringLiteral("(GMT-06:00) Central Time (US & Canada)"),
    QStringLiteral("(GMT-05:00) Eastern Time (US & Canada)"), QStringLiteral("(GMT-04:00) Atlantic Time (Canada)"),
    QStringLiteral("(GMT-03:30) Newfoundland"), QStringLiteral("(GMT-03:00) Brasilia, Buenos Aires"),
    QStringLiteral("(GMT-02:00) Mid-Atlantic"), QStringLiteral("(GMT-01:00) Azores, Cape Verde Is."),
    QStringLiteral("(GMT+00:00) Dublin, Edinburgh, Lisbon, London"),
    QStringLiteral("(GMT+01:00) Amsterdam, Berlin, Paris, Rome, Stockholm"),
    QStringLiteral("(GMT+02:00) Athens, Bucharest, Helsinki, Cairo"),
    QStringLiteral("(GMT+03:00) Moscow, Istanbul, Riyadh"), QStringLiteral("(GMT+03:30) Tehran"),
    QStringLiteral("(GMT+04:00) Abu Dhabi, Baku"), QStringLiteral("(GMT+04:30) Kabul"),
    QStringLiteral("(GMT+05:00) Islamabad, Karachi, Tashkent"),
    QStringLiteral("(GMT+05:30) Chennai, Kolkata, Mumbai, New Delhi"), QStringLiteral("(GMT+05:45) Kathmandu"),
    QStringLiteral("(GMT+06:00) Almaty, Dhaka"), QStringLiteral("(GMT+06:30) Yangon"),
    QStringLiteral("(GMT+07:00) Bangkok, Hanoi, Jakarta"),
    QStringLiteral("(GMT+08:00) Beijing, Hong Kong, Singapore, Taipei"),
    QStringLiteral("(GMT+09:00) Osaka, Seoul, Tokyo"), QStringLiteral("(GMT+09:30) Adelaide, Darwin"),
    QStringLiteral("(GMT+10:00) Brisbane, Canberra, Melbourne, Sydney"),
    QStringLiteral("(GMT+11:00) Magadan, Solomon Is."), QStringLiteral("(GMT+12:00) Auckland, Fiji, Wellington"),
    QStringLiteral("(GMT+13:00) Nuku'alofa")};

// English, Spanish, Portuguese, Russian, Simplified and Traditional Chinese.
const QList<int> kLanguages {4, 5, 16, 19, 22, 23};

QString text(const QJsonObject &o, const char *key, const QString &fallback = QString())
{
    return o.value(QLatin1String(key)).toString(fallback);
}

SimPartition readPartition(const QJsonObject &o)
{
    SimPartition p;
    p.capacityMb = o.value(QLatin1String("capacityMb")).toInteger(0);
    p.usedMb = o.value(QLatin1String("usedMb")).toInteger(0);
    p.freeMb = o.value(QLatin1String("freeMb")).toInteger(p.capacityMb - p.usedMb);
    p.recordableMb = o.value(QLatin1String("recordableMb")).toInteger(p.freeMb);
    p.status = o.value(QLatin1String("status")).toInt(p.status);
    p.fileSystem = text(o, "fileSystem");
    return p;
}

QJsonObject partitionJson(const SimPartition &p)
{
    return {{QStringLiteral("capacityMb"), p.capacityMb}, {QStringLiteral("usedMb"), p.usedMb},
        {QStringLiteral("freeMb"), p.freeMb}, {QStringLiteral("recordableMb"), p.recordableMb},
        {QStringLiteral("status"), p.status}, {QStringLiteral("fileSystem"), p.fileSystem}};
}

bool readDisk(const QJsonObject &o, SimDisk *d, QString *error)
{
    d->device = text(o, "device");
    d->model = text(o, "model");
    d->product = text(o, "product", d->model);
    d->type = text(o, "type", d->type);
    d->plugged = o.value(QLatin1String("plugged")).toBool(!d->device.isEmpty());
    d->ready = o.value(QLatin1String("ready")).toBool(d->plugged);
    d->capacityMb = o.value(QLatin1String("capacityMb")).toInteger(d->device.isEmpty() ? 0 : 953869);
    // true: every format fails; a number: that many fail, then they succeed.
    const QJsonValue fails = o.value(QLatin1String("formatFails"));
    d->formatFails = fails.isBool() ? (fails.toBool() ? SimDisk::kAlways : 0) : fails.toInt(0);
    d->detectAfter = o.value(QLatin1String("detectAfter")).toInt(0);
    if (d->formatFails < SimDisk::kAlways || d->detectAfter < 0) {
        *error = QStringLiteral("\"formatFails\" or \"detectAfter\" of a disk is negative");
        return false;
    }
    const QJsonArray parts = o.value(QLatin1String("partitions")).toArray();
    if (parts.size() > 2) {
        *error = QStringLiteral("\"partitions\" holds more than two partitions");
        return false;
    }
    for (const QJsonValue &p : parts)
        d->partitions << readPartition(p.toObject());
    for (const SimPartition &p : d->partitions) {
        if (p.status < 0 || p.status > 11) {
            *error = QStringLiteral("\"status\" of a partition is not 0 to 11");
            return false;
        }
    }
    return true;
}

QJsonObject diskJson(const SimDisk &d)
{
    QJsonArray parts;
    for (const SimPartition &p : d.partitions)
        parts.append(partitionJson(p));
    return {{QStringLiteral("device"), d.device}, {QStringLiteral("model"), d.model},
        {QStringLiteral("product"), d.product}, {QStringLiteral("type"), d.type},
        {QStringLiteral("plugged"), d.plugged}, {QStringLiteral("ready"), d.ready},
        {QStringLiteral("capacityMb"), d.capacityMb},
        {QStringLiteral("formatFails"),
            d.formatFails == SimDisk::kAlways ? QJsonValue(true) : QJsonValue(d.formatFails)},
        {QStringLiteral("detectAfter"), d.detectAfter}, {QStringLiteral("partitions"), parts}};
}

// The text fields of a record, by scenario key.
template<class Record> using TextFields = QList<QPair<const char *, QString Record::*>>;

template<class Record> void readTexts(const QJsonObject &o, const TextFields<Record> &fields, Record *record)
{
    for (const auto &field : fields)
        record->*field.second = text(o, field.first, record->*field.second);
}

template<class Record> QJsonObject textsJson(const Record &record, const TextFields<Record> &fields)
{
    QJsonObject o;
    for (const auto &field : fields)
        o.insert(QLatin1String(field.first), record.*field.second);
    return o;
}

const TextFields<SimCamera> kCameraFields {{"ip", &SimCamera::ip}, {"mac", &SimCamera::mac},
    {"brand", &SimCamera::brand}, {"model", &SimCamera::model}, {"user", &SimCamera::user},
    {"password", &SimCamera::password}, {"protocol", &SimCamera::protocol}, {"protocolType", &SimCamera::protocolType},
    {"adminPassword", &SimCamera::adminPassword}};

bool readCamera(const QJsonObject &o, SimCamera *camera, QString *error)
{
    // Unless told otherwise the camera accepts what the recorder reports.
    camera->adminPassword = text(o, "password");
    readTexts(o, kCameraFields, camera);
    camera->delayMs = o.value(QLatin1String("delayMs")).toInt(0);
    camera->silent = o.value(QLatin1String("silent")).toBool(false);
    if (camera->delayMs < 0 || camera->delayMs > 600000) {
        *error = QStringLiteral("\"delayMs\" of camera %1 is out of range").arg(camera->ip);
        return false;
    }
    return true;
}

QJsonObject cameraJson(const SimCamera &c)
{
    QJsonObject o = textsJson(c, kCameraFields);
    if (c.delayMs)
        o.insert(QStringLiteral("delayMs"), c.delayMs);
    if (c.silent)
        o.insert(QStringLiteral("silent"), true);
    return o;
}

const TextFields<SimChannel> kChannelFields {{"name", &SimChannel::name}, {"host", &SimChannel::host},
    {"mac", &SimChannel::mac}, {"protocol", &SimChannel::protocol}, {"protocolType", &SimChannel::protocolType},
    {"account", &SimChannel::account}, {"password", &SimChannel::password}, {"brand", &SimChannel::brand},
    {"product", &SimChannel::product}};

SimChannel readChannel(const QJsonObject &o)
{
    SimChannel c;
    c.used = o.value(QLatin1String("used")).toBool(false);
    readTexts(o, kChannelFields, &c);
    return c;
}

QJsonObject channelJson(const SimChannel &c)
{
    QJsonObject o = c.used ? textsJson(c, kChannelFields) : QJsonObject();
    o.insert(QStringLiteral("used"), c.used);
    return o;
}

} // namespace

namespace SimWebScenario {

const QStringList kKeys {QStringLiteral("disks"), QStringLiteral("formatSteps"), QStringLiteral("timeZone"),
    QStringLiteral("timeZoneLists"), QStringLiteral("timeZoneLocked"), QStringLiteral("timeZoneListAnswer"),
    QStringLiteral("cameras"), QStringLiteral("channels"), QStringLiteral("cloud"), QStringLiteral("registration"),
    QStringLiteral("resetWait"), QStringLiteral("recording"), QStringLiteral("formatting")};

SimWebRecorder defaults(const QString &recorderIp)
{
    SimWebRecorder web;
    SimDisk fresh;
    fresh.device = QStringLiteral("sda");
    fresh.model = QStringLiteral("ST1000VX005");
    fresh.product = QStringLiteral("Seagate SkyHawk 1TB");
    fresh.plugged = true;
    fresh.ready = true;
    fresh.capacityMb = 953869;
    fresh.partitions << SimPartition {953869, 0, 953869, 0, 6, QString()};
    web.disks = {fresh, SimDisk()};
    for (const int language : kLanguages)
        web.timeZoneLists.insert(language, kEnglishZones);
    for (int i = 0; i < SimWebRecorder::kChannels; ++i)
        web.channels << SimChannel();
    web.cloud = {{QStringLiteral("status"), QStringLiteral("0")}, {QStringLiteral("access"), QStringLiteral("1")},
        {QStringLiteral("portal_url"), QStringLiteral("portal.nimbora.example")},
        {QStringLiteral("portal_number"), QStringLiteral("10000001")},
        {QStringLiteral("portal_dfp"), QStringLiteral("dfp-10000001")},
        {QStringLiteral("model"), QStringLiteral("HRX-540A")},
        {QStringLiteral("localhyperlink"), QStringLiteral("https://%1/").arg(recorderIp)}};
    return web;
}

bool read(const QJsonObject &recorder, SimWebRecorder *web, QString *error)
{
    if (recorder.contains(QLatin1String("disks"))) {
        const QJsonArray disks = recorder.value(QLatin1String("disks")).toArray();
        if (disks.size() > SimWebRecorder::kBays) {
            *error = QStringLiteral("\"disks\" holds more than two bays");
            return false;
        }
        web->disks.clear();
        for (const QJsonValue &d : disks) {
            SimDisk disk;
            if (!readDisk(d.toObject(), &disk, error))
                return false;
            web->disks << disk;
        }
        while (web->disks.size() < SimWebRecorder::kBays)
            web->disks << SimDisk();
    }
    if (recorder.contains(QLatin1String("formatSteps"))) {
        web->formatSteps.clear();
        for (const QJsonValue &v : recorder.value(QLatin1String("formatSteps")).toArray())
            web->formatSteps << v.toInt();
        if (web->formatSteps.isEmpty() || web->formatSteps.last() != 100) {
            *error = QStringLiteral("\"formatSteps\" must end with 100");
            return false;
        }
    }
    const QJsonObject formatting = recorder.value(QLatin1String("formatting")).toObject();
    web->formattingBay = formatting.value(QLatin1String("bay")).toInt(-1);
    web->formatPoll = formatting.value(QLatin1String("poll")).toInt(0);
    web->lastFormatResult = formatting.value(QLatin1String("last")).toString(web->lastFormatResult);
    if (web->formattingBay < -1 || web->formattingBay >= SimWebRecorder::kBays || web->formatPoll < 0) {
        *error = QStringLiteral("\"formatting\" names no bay or a negative poll");
        return false;
    }
    const QJsonObject lists = recorder.value(QLatin1String("timeZoneLists")).toObject();
    for (auto it = lists.begin(); it != lists.end(); ++it) {
        QStringList zones;
        for (const QJsonValue &z : it.value().toArray())
            zones << z.toString();
        web->timeZoneLists.insert(it.key().toInt(), zones);
    }
    web->timeZone = recorder.value(QLatin1String("timeZone")).toInt(web->timeZone);
    web->timeZoneLocked = recorder.value(QLatin1String("timeZoneLocked")).toBool(false);
    web->timeZoneListAnswer = text(recorder, "timeZoneListAnswer", web->timeZoneListAnswer);
    if (!QStringList {QStringLiteral("list"), QStringLiteral("empty"), QStringLiteral("missing")}.contains(
            web->timeZoneListAnswer)) {
        *error = QStringLiteral("\"timeZoneListAnswer\" is \"list\", \"empty\" or \"missing\"");
        return false;
    }
    if (web->timeZone < 1) {
        *error = QStringLiteral("\"timeZone\" counts from 1");
        return false;
    }
    for (const QJsonValue &c : recorder.value(QLatin1String("cameras")).toArray()) {
        SimCamera camera;
        if (!readCamera(c.toObject(), &camera, error))
            return false;
        web->cameras << camera;
    }
    const QJsonArray channels = recorder.value(QLatin1String("channels")).toArray();
    for (qsizetype i = 0; i < channels.size() && i < SimWebRecorder::kChannels; ++i)
        web->channels[i] = readChannel(channels.at(i).toObject());
    const QJsonObject cloud = recorder.value(QLatin1String("cloud")).toObject();
    for (auto it = cloud.begin(); it != cloud.end(); ++it)
        web->cloud.insert(it.key(), it.value().toString());
    const QJsonObject reg = recorder.value(QLatin1String("registration")).toObject();
    web->regStatus = text(reg, "status", web->regStatus);
    web->regEmail = text(reg, "email");
    web->regPassword = text(reg, "password");
    web->regBadRequest = reg.value(QLatin1String("badRequest")).toBool(false);
    const QJsonValue resetWait = recorder.value(QLatin1String("resetWait"));
    if (resetWait.isString())
        web->resetWait = resetWait.toString();
    else if (resetWait.isDouble())
        web->resetWait = QString::number(resetWait.toInt());
    web->recording = recorder.value(QLatin1String("recording")).toBool(false);
    return true;
}

void write(const SimWebRecorder &web, QJsonObject *recorder)
{
    QJsonArray disks;
    for (const SimDisk &d : web.disks)
        disks.append(diskJson(d));
    QJsonArray steps;
    for (const int s : web.formatSteps)
        steps.append(s);
    QJsonObject lists;
    for (auto it = web.timeZoneLists.begin(); it != web.timeZoneLists.end(); ++it)
        lists.insert(QString::number(it.key()), QJsonArray::fromStringList(it.value()));
    QJsonArray cameras;
    for (const SimCamera &c : web.cameras)
        cameras.append(cameraJson(c));
    QJsonArray channels;
    for (const SimChannel &c : web.channels)
        channels.append(channelJson(c));
    QJsonObject cloud;
    for (auto it = web.cloud.begin(); it != web.cloud.end(); ++it)
        cloud.insert(it.key(), it.value());
    recorder->insert(QStringLiteral("disks"), disks);
    recorder->insert(QStringLiteral("formatSteps"), steps);
    recorder->insert(QStringLiteral("formatting"),
        QJsonObject {{QStringLiteral("bay"), web.formattingBay}, {QStringLiteral("poll"), web.formatPoll},
            {QStringLiteral("last"), web.lastFormatResult}});
    recorder->insert(QStringLiteral("timeZone"), web.timeZone);
    recorder->insert(QStringLiteral("timeZoneLists"), lists);
    recorder->insert(QStringLiteral("timeZoneLocked"), web.timeZoneLocked);
    recorder->insert(QStringLiteral("timeZoneListAnswer"), web.timeZoneListAnswer);
    recorder->insert(QStringLiteral("cameras"), cameras);
    recorder->insert(QStringLiteral("channels"), channels);
    recorder->insert(QStringLiteral("cloud"), cloud);
    recorder->insert(QStringLiteral("registration"),
        QJsonObject {{QStringLiteral("status"), web.regStatus}, {QStringLiteral("email"), web.regEmail},
            {QStringLiteral("password"), web.regPassword}, {QStringLiteral("badRequest"), web.regBadRequest}});
    bool isNumber = false;
    const int resetSeconds = web.resetWait.toInt(&isNumber);
    recorder->insert(QStringLiteral("resetWait"), isNumber ? QJsonValue(resetSeconds) : QJsonValue(web.resetWait));
    recorder->insert(QStringLiteral("recording"), web.recording);
}

} // namespace SimWebScenario
