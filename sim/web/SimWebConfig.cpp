#include "sim/web/SimWebConfig.h"

#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"
#include "sim/web/SimHostileWeb.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QStringList kSecretKeys {QStringLiteral("password"), QStringLiteral("pass"), QStringLiteral("account")};

QByteArray lines(const QList<QPair<QString, QString>> &pairs)
{
    QByteArray text;
    for (const auto &pair : pairs)
        text += pair.first.toUtf8() + '=' + pair.second.toUtf8() + "\r\n";
    return text;
}

SimHttpResponse ok(const QList<QPair<QString, QString>> &pairs)
{
    return SimHttpResponse::text(200, lines(pairs));
}

QString number(qint64 n)
{
    return QString::number(n);
}

// The query as the log shows it: escaped as sent, secret values masked.
QString loggedQuery(const SimFormFields &fields)
{
    QStringList shown;
    for (const auto &field : fields) {
        const QString value = kSecretKeys.contains(field.first) ? QStringLiteral("***") : field.second;
        shown << QString::fromLatin1(QUrl::toPercentEncoding(field.first) + '=' + QUrl::toPercentEncoding(value));
    }
    return shown.join(QLatin1Char('&'));
}

// A channel number or -1.
int channelOf(const QString &text)
{
    bool isNumber = false;
    const int n = text.toInt(&isNumber);
    return isNumber && n >= 0 && n < SimWebRecorder::kChannels ? n : -1;
}

// A bay number or -1.
int bayOf(const QString &text)
{
    bool isNumber = false;
    const int n = text.toInt(&isNumber);
    return isNumber && n >= 0 && n < SimWebRecorder::kBays ? n : -1;
}

QString partitionText(const SimPartition &p)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6")
        .arg(number(p.capacityMb), number(p.usedMb), number(p.freeMb), number(p.recordableMb), number(p.status),
            p.fileSystem);
}

SimPartition formattedPartition(const SimDisk &disk)
{
    return SimPartition {disk.capacityMb, 0, disk.capacityMb, disk.capacityMb, 2, QStringLiteral("EXT4")};
}

QString decodedBase64(const QString &text)
{
    return QString::fromUtf8(QByteArray::fromBase64(text.toLatin1()));
}

} // namespace

bool SimWebConfig::Call::has(const char *key) const
{
    for (const auto &field : query) {
        if (field.first == QLatin1String(key))
            return true;
    }
    return false;
}

SimWebConfig::SimWebConfig(SimState &state, SimLog &log, double timeScale)
    : m_state(state)
    , m_log(log)
    , m_timeScale(timeScale)
{
}

SimHttpResponse SimWebConfig::answer(const SimHttpRequest &request, const QHostAddress &local)
{
    QString user;
    const SimRecorder *recorder = m_state.findByIp(local.toString());
    const bool hostile = recorder && recorder->misbehave.misbehavesOnWeb(request.path);
    const std::optional<SimHttpResponse> replaced
        = hostile ? SimHostileWeb::instead(recorder->misbehave) : std::nullopt;
    SimHttpResponse response = replaced ? *replaced : route(request, local, &user);
    response.delivery.stall = hostile && recorder->misbehave.webStall;
    SimFormFields fields;
    parseFormFields(request.query, false, &fields);
    // One arg() call: a second would read the query's own "%2A" as a place for the status.
    QString line = QStringLiteral("host=%1 method=%2 path=%3 query=%4 user=%5 status=%6")
                       .arg(local.toString(), QString::fromLatin1(request.method), QString::fromLatin1(request.path),
                           loggedQuery(fields), QString::fromLatin1(QUrl::toPercentEncoding(user)),
                           QString::number(response.status));
    if (hostile)
        line += QStringLiteral(" hostile=") + SimHostileWeb::kind(recorder->misbehave);
    m_log.line(QStringLiteral("http"), line);
    return response;
}

SimHttpResponse SimWebConfig::route(const SimHttpRequest &request, const QHostAddress &local, QString *user)
{
    static const QHash<QByteArray, Command> commands {
        {"/config/nimboraregstatus", &SimWebConfig::regStatus},
        {"/config/storageinfo", &SimWebConfig::storageInfo},
        {"/config/storageformat", &SimWebConfig::storageFormat},
        {"/config/storageformatpoll", &SimWebConfig::storageFormatPoll},
        {"/config/nimboraportal", &SimWebConfig::portalInfo},
        {"/config/nimborareginfo", &SimWebConfig::regInfo},
        {"/config/nimboradiscovery", &SimWebConfig::discovery},
        {"/config/addavdev", &SimWebConfig::addCamera},
        {"/config/delavdev", &SimWebConfig::delCamera},
        {"/config/factory", &SimWebConfig::factory},
        {"/config/datetime", &SimWebConfig::dateTime},
        {"/config/timezonelist", &SimWebConfig::timeZoneList},
        {"/config/manrecord", &SimWebConfig::manualRecord},
    };
    SimRecorder *recorder = m_state.findByIp(local.toString());
    const auto command = commands.constFind(request.path);
    if (!recorder || command == commands.constEnd())
        return SimHttpResponse::errorPage(404);
    if (recorder->restarting())
        return SimHttpResponse::errorPage(503);
    const auto credentials = request.basicCredentials();
    if (credentials)
        *user = credentials->first;
    if (!credentials || !recorder->accepts(credentials->first, credentials->second)) {
        SimHttpResponse refused = SimHttpResponse::errorPage(401);
        refused.headers << qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"HRX-540A\""));
        return refused;
    }
    if (request.method != "GET")
        return SimHttpResponse::errorPage(405);
    SimFormFields query;
    if (!parseFormFields(request.query, false, &query))
        return SimHttpResponse::errorPage(400);
    Call call {*recorder, query};
    if (changesRecorder(request.path, call))
        m_log.line(QStringLiteral("changed"),
            QStringLiteral("recorder=%1 path=%2").arg(recorder->mac, QString::fromLatin1(request.path)));
    const SimHttpResponse response = (this->**command)(call);
    m_state.commit();
    return response;
}

// The commands that change the recorder rather than read it.
bool SimWebConfig::changesRecorder(const QByteArray &path, const Call &call)
{
    if (path == "/config/datetime")
        return call.has("timezone");
    if (path == "/config/nimboraregstatus")
        return call.has("status");
    if (path == "/config/nimborareginfo")
        return call.has("email");
    if (path == "/config/manrecord")
        return call.value("record") == QLatin1String("1");
    return path == "/config/storageformat" || path == "/config/addavdev" || path == "/config/delavdev"
        || path == "/config/factory";
}

SimHttpResponse SimWebConfig::regStatus(Call &call)
{
    SimWebRecorder &web = call.recorder.web;
    if (call.has("status")) {
        web.regStatus = call.value("status");
        web.cloud.insert(QStringLiteral("status"), web.regStatus);
    }
    return ok({{QStringLiteral("status"), web.regStatus}});
}

SimHttpResponse SimWebConfig::storageInfo(Call &call)
{
    const int bay = bayOf(call.value("storageid"));
    if (bay < 0)
        return SimHttpResponse::errorPage(400);
    SimDisk &disk = call.recorder.web.disks[bay];
    // A drive still coming up is plugged in but has no device name yet.
    const bool detected = disk.detectAfter == 0;
    if (!detected)
        --disk.detectAfter;
    QList<QPair<QString, QString>> pairs {{QStringLiteral("storageid"), number(bay)},
        {QStringLiteral("type"), disk.type}, {QStringLiteral("devicename"), detected ? disk.device : QString()},
        {QStringLiteral("modelname"), disk.model}, {QStringLiteral("product"), disk.product},
        {QStringLiteral("usedpartition"), disk.partitions.isEmpty() ? QStringLiteral("-1") : QStringLiteral("0")},
        {QStringLiteral("partitions"), number(disk.partitions.size())},
        {QStringLiteral("plug"), disk.plugged ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("ready"), disk.ready ? QStringLiteral("1") : QStringLiteral("0")}};
    for (qsizetype i = 0; i < disk.partitions.size(); ++i)
        pairs.append({QStringLiteral("partitioninfo%1").arg(i), partitionText(disk.partitions.at(i))});
    // The recorder closes its disk answer with an empty line.
    return SimHttpResponse::text(200, lines(pairs) + "\r\n");
}

SimHttpResponse SimWebConfig::storageFormat(Call &call)
{
    SimWebRecorder &web = call.recorder.web;
    const int bay = bayOf(call.value("storageid"));
    if (bay < 0 || web.disks.at(bay).device.isEmpty() || !web.disks.at(bay).plugged) {
        web.lastFormatResult = QStringLiteral("-1");
        return ok({{QStringLiteral("result"), QStringLiteral("fail")}});
    }
    SimDisk &disk = web.disks[bay];
    web.formattingBay = bay;
    web.formatPoll = 0;
    for (SimPartition &p : disk.partitions)
        p.status = 10;
    return ok({{QStringLiteral("result"), QStringLiteral("ok")}});
}

SimHttpResponse SimWebConfig::storageFormatPoll(Call &call)
{
    SimWebRecorder &web = call.recorder.web;
    if (web.formattingBay < 0)
        return ok({{QStringLiteral("progress"), web.lastFormatResult}});
    SimDisk &disk = web.disks[web.formattingBay];
    const int step = qMin(web.formatPoll, int(web.formatSteps.size()) - 1);
    ++web.formatPoll;
    QString progress = number(web.formatSteps.at(step));
    const bool last = step == web.formatSteps.size() - 1;
    if (disk.formatFails != 0 && (last || step >= 1)) {
        progress = QStringLiteral("-1");
        if (disk.formatFails > 0)
            --disk.formatFails;
        for (SimPartition &p : disk.partitions)
            p.status = 4;
    } else if (last) {
        disk.partitions = {formattedPartition(disk)};
    }
    if (progress == QLatin1String("-1") || last) {
        web.formattingBay = -1;
        web.lastFormatResult = progress;
    }
    return ok({{QStringLiteral("progress"), progress}});
}

SimHttpResponse SimWebConfig::portalInfo(Call &call)
{
    const auto &cloud = call.recorder.web.cloud;
    QList<QPair<QString, QString>> pairs;
    for (const char *key : {"status", "access", "portal_url", "portal_number", "portal_dfp", "model", "localhyperlink"})
        pairs.append({QLatin1String(key), cloud.value(QLatin1String(key))});
    return ok(pairs);
}

SimHttpResponse SimWebConfig::regInfo(Call &call)
{
    SimWebRecorder &web = call.recorder.web;
    if (web.regBadRequest)
        return SimHttpResponse::errorPage(400);
    if (call.has("email")) {
        web.regEmail = call.value("email");
        web.regPassword = call.value("password");
        if (call.has("status"))
            web.regStatus = call.value("status");
    }
    return ok({{QStringLiteral("status"), web.regStatus}, {QStringLiteral("email"), web.regEmail},
        {QStringLiteral("password"), web.regPassword}});
}

SimHttpResponse SimWebConfig::discovery(Call &call)
{
    QByteArray text;
    int n = 0;
    for (const SimCamera &c : call.recorder.web.cameras) {
        const QStringList fields {
            number(++n), c.ip, c.mac, c.brand, c.model, c.user, c.password, c.protocol, c.protocolType};
        text += fields.join(QLatin1Char(';')).toUtf8() + "\r\n";
    }
    return SimHttpResponse::text(200, text);
}

SimHttpResponse SimWebConfig::addCamera(Call &call)
{
    const int channel = channelOf(call.value("avdevid"));
    if (channel < 0 || call.value("hostname").isEmpty())
        return ok({{QStringLiteral("result"), QStringLiteral("fail")}});
    SimChannel c;
    c.used = true;
    c.name = call.value("avdevname");
    c.host = call.value("hostname");
    c.mac = call.value("hostid");
    c.protocol = call.value("protocol");
    c.protocolType = call.value("protocoltype");
    c.account = decodedBase64(call.value("account"));
    c.password = decodedBase64(call.value("pass"));
    c.brand = call.value("brand");
    c.product = call.value("product");
    call.recorder.web.channels[channel] = c;
    return ok({{QStringLiteral("result"), QStringLiteral("ok")}});
}

SimHttpResponse SimWebConfig::delCamera(Call &call)
{
    const int channel = channelOf(call.value("avdevid"));
    if (channel < 0)
        return ok({{QStringLiteral("result"), QStringLiteral("fail")}});
    call.recorder.web.channels[channel] = SimChannel();
    return ok({{QStringLiteral("result"), QStringLiteral("ok")}});
}

SimHttpResponse SimWebConfig::factory(Call &call)
{
    SimRecorder &r = call.recorder;
    const SimHttpResponse response = ok({{QStringLiteral("waittime"), r.web.resetWait}});
    // "60s" restarts for 60 seconds, as the wizard reads it.
    const QRegularExpressionMatch seconds = QRegularExpression(QStringLiteral("^\\s*(\\d+)")).match(r.web.resetWait);
    const int restartSeconds = seconds.hasMatch() ? seconds.captured(1).toInt() : 0;
    // Back to the factory state: the next password check over the LAN accepts an empty one.
    r.password.clear();
    r.factory = true;
    for (SimChannel &c : r.web.channels)
        c = SimChannel();
    r.web.recording = false;
    r.restartingUntilMs = QDateTime::currentMSecsSinceEpoch() + qint64(restartSeconds * 1000 * m_timeScale);
    m_log.line(QStringLiteral("reset"), QStringLiteral("mac=%1 wait=%2").arg(r.mac).arg(r.web.resetWait));
    return response;
}

SimHttpResponse SimWebConfig::dateTime(Call &call)
{
    SimWebRecorder &web = call.recorder.web;
    if (call.has("timezone") && !web.timeZoneLocked) {
        bool isNumber = false;
        const int zone = call.value("timezone").toInt(&isNumber);
        // A zone the recorder does not have leaves the old one, which the answer shows.
        if (isNumber && zone >= 1 && zone <= web.zones(4).size())
            web.timeZone = zone;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return ok({{QStringLiteral("date"), now.toString(QStringLiteral("yyyy/MM/dd"))},
        {QStringLiteral("time"), now.toString(QStringLiteral("HH:mm:ss"))},
        {QStringLiteral("timezone"), number(web.timeZone)}, {QStringLiteral("dstenable"), QStringLiteral("0")},
        {QStringLiteral("dstauto"), QStringLiteral("0")}, {QStringLiteral("offsetmin"), QStringLiteral("0")},
        {QStringLiteral("offsetmins"), QStringLiteral("60")}, {QStringLiteral("startdst"), QStringLiteral("3,5,0,2")},
        {QStringLiteral("enddst"), QStringLiteral("10,5,0,3")}});
}

SimHttpResponse SimWebConfig::timeZoneList(Call &call)
{
    bool isNumber = false;
    const int language = call.value("language").toInt(&isNumber);
    const QStringList zones = call.recorder.web.zones(language);
    if (!isNumber || zones.isEmpty())
        return SimHttpResponse::text(200, "Access Error\r\n");
    const QString answer = call.recorder.web.timeZoneListAnswer;
    if (answer == QLatin1String("missing"))
        return ok({{QStringLiteral("result"), QStringLiteral("ok")}});
    return ok({{QStringLiteral("timezonelist"),
        answer == QLatin1String("empty") ? QString() : zones.join(QLatin1Char(';'))}});
}

SimHttpResponse SimWebConfig::manualRecord(Call &call)
{
    SimWebRecorder &web = call.recorder.web;
    const bool start = call.value("record") == QLatin1String("1");
    bool usable = false;
    for (SimDisk &disk : web.disks) {
        for (SimPartition &p : disk.partitions) {
            // Only a formatted partition (idle or already recording) can record.
            if (p.status != 1 && p.status != 2)
                continue;
            usable = true;
            p.status = start ? 1 : 2;
        }
    }
    web.recording = usable && start;
    return ok({{QStringLiteral("record"), web.recording ? QStringLiteral("1") : QStringLiteral("0")}});
}
