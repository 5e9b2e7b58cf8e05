#include "sim/core/SimScenario.h"

#include "sim/core/SimRecorderCopies.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

const QStringList kKnownKeys {QStringLiteral("name"), QStringLiteral("model"), QStringLiteral("firmware"),
    QStringLiteral("mac"), QStringLiteral("ip"), QStringLiteral("webPort"), QStringLiteral("mask"),
    QStringLiteral("gateway"), QStringLiteral("dns"), QStringLiteral("dns2"), QStringLiteral("dhcp"),
    QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("factory"), QStringLiteral("misbehave")};

// Four dotted decimals only: the record's address fields are read that way.
bool isIpv4(const QString &text)
{
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
    QHostAddress address;
    return dotted.match(text).hasMatch() && address.setAddress(text)
        && address.protocol() == QAbstractSocket::IPv4Protocol;
}

bool isMac(const QString &text)
{
    static const QRegularExpression mac(QStringLiteral("^([0-9a-f]{2}:){5}[0-9a-f]{2}$"));
    return mac.match(text).hasMatch();
}

class RecorderReader
{
public:
    RecorderReader(const QJsonObject &object, QString *error)
        : m_object(object)
        , m_error(error)
    {
    }

    void text(const char *key, QString *value) { *value = m_object.value(QLatin1String(key)).toString(*value); }
    void address(const char *key, QString *value)
    {
        text(key, value);
        if (!value->isEmpty() && !isIpv4(*value))
            fail(key, "is not an IPv4 address");
    }
    void integer(const QJsonObject &object, const char *key, int *value, int max)
    {
        *value = object.value(QLatin1String(key)).toInt(*value);
        if (*value < 0 || *value > max)
            fail(key, "is out of range");
    }
    void flag(const QJsonObject &object, const char *key, bool *value)
    {
        *value = object.value(QLatin1String(key)).toBool(*value);
    }
    void fail(const char *key, const char *why)
    {
        if (m_error->isEmpty())
            *m_error = QStringLiteral("\"%1\" %2").arg(QLatin1String(key), QLatin1String(why));
    }
    bool failed() const { return !m_error->isEmpty(); }

private:
    QJsonObject m_object;
    QString *m_error;
};

void readMisbehaviour(const QJsonObject &object, RecorderReader &reader, SimMisbehaviour *m)
{
    reader.flag(object, "answerTwice", &m->answerTwice);
    reader.integer(object, "delayMs", &m->delayMs, 600000);
    reader.flag(object, "silent", &m->silent);
    reader.flag(object, "silentCommands", &m->silentCommands);
    const QJsonValue wrong = object.value(QLatin1String("wrongModel"));
    m->wrongModel = wrong.isBool() ? (wrong.toBool() ? QStringLiteral("HRX-260A") : QString()) : wrong.toString();
    reader.integer(object, "short", &m->shortBytes, 333);
    reader.integer(object, "overLong", &m->overLongBytes, 8192);
    reader.flag(object, "garbage", &m->garbage);
    reader.integer(object, "ignoreSearches", &m->ignoreSearches, 1000);
    reader.integer(object, "ignoreCommands", &m->ignoreCommands, 1000);
    reader.integer(object, "flood", &m->flood, 10000);
    reader.integer(object, "webStatus", &m->webStatus, 599);
    if (m->webStatus != 0 && m->webStatus < 100)
        reader.fail("webStatus", "is not an HTTP status");
    reader.flag(object, "webClosed", &m->webClosed);
    reader.flag(object, "webGarbage", &m->webGarbage);
    reader.flag(object, "webStall", &m->webStall);
    reader.flag(object, "webReset", &m->webReset);
    reader.integer(object, "webHugeMb", &m->webHugeMb, 4096);
    reader.flag(object, "webEndless", &m->webEndless);
    for (const QJsonValue &path : object.value(QLatin1String("webPaths")).toArray())
        m->webPaths << path.toString();
}

bool readRecorder(const QJsonObject &object, SimRecorder *r, QString *error)
{
    RecorderReader reader(object, error);
    reader.text("name", &r->name);
    reader.text("model", &r->model);
    reader.text("firmware", &r->firmware);
    reader.text("mac", &r->mac);
    r->mac = r->mac.toLower();
    if (!isMac(r->mac))
        reader.fail("mac", "is not a MAC address like 00:1c:27:00:00:01");
    reader.address("ip", &r->ip);
    if (r->ip.isEmpty())
        reader.fail("ip", "is missing");
    reader.integer(object, "webPort", &r->webPort, 65535);
    reader.address("mask", &r->mask);
    reader.address("gateway", &r->gateway);
    reader.address("dns", &r->dns);
    reader.address("dns2", &r->dns2);
    reader.flag(object, "dhcp", &r->dhcp);
    reader.text("user", &r->user);
    reader.text("password", &r->password);
    // A recorder given a password is out of its factory state unless told otherwise.
    r->factory = r->password.isEmpty();
    reader.flag(object, "factory", &r->factory);
    if (r->factory)
        r->password.clear();
    readMisbehaviour(object.value(QLatin1String("misbehave")).toObject(), reader, &r->misbehave);
    r->web = SimWebScenario::defaults(r->ip);
    QString webError;
    if (!SimWebScenario::read(object, &r->web, &webError))
        *error = webError;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!kKnownKeys.contains(it.key()) && !SimWebScenario::kKeys.contains(it.key()))
            r->extra.insert(it.key(), it.value());
    }
    if (r->name.isEmpty())
        r->name = r->mac;
    return !reader.failed();
}

QJsonObject misbehaviourJson(const SimMisbehaviour &m)
{
    QJsonObject o;
    if (m.answerTwice)
        o.insert(QStringLiteral("answerTwice"), true);
    if (m.delayMs)
        o.insert(QStringLiteral("delayMs"), m.delayMs);
    if (m.silent)
        o.insert(QStringLiteral("silent"), true);
    if (m.silentCommands)
        o.insert(QStringLiteral("silentCommands"), true);
    if (!m.wrongModel.isEmpty())
        o.insert(QStringLiteral("wrongModel"), m.wrongModel);
    if (m.shortBytes)
        o.insert(QStringLiteral("short"), m.shortBytes);
    if (m.overLongBytes)
        o.insert(QStringLiteral("overLong"), m.overLongBytes);
    if (m.garbage)
        o.insert(QStringLiteral("garbage"), true);
    if (m.ignoreSearches)
        o.insert(QStringLiteral("ignoreSearches"), m.ignoreSearches);
    if (m.ignoreCommands)
        o.insert(QStringLiteral("ignoreCommands"), m.ignoreCommands);
    const QList<QPair<const char *, int>> numbers {
        {"flood", m.flood}, {"webStatus", m.webStatus}, {"webHugeMb", m.webHugeMb}};
    for (const auto &[key, value] : numbers) {
        if (value)
            o.insert(QLatin1String(key), value);
    }
    const QList<QPair<const char *, bool>> flags {{"webClosed", m.webClosed}, {"webGarbage", m.webGarbage},
        {"webStall", m.webStall}, {"webReset", m.webReset}, {"webEndless", m.webEndless}};
    for (const auto &[key, value] : flags) {
        if (value)
            o.insert(QLatin1String(key), true);
    }
    if (!m.webPaths.isEmpty())
        o.insert(QStringLiteral("webPaths"), QJsonArray::fromStringList(m.webPaths));
    return o;
}

QJsonObject recorderJson(const SimRecorder &r)
{
    QJsonObject o = r.extra;
    o.insert(QStringLiteral("name"), r.name);
    o.insert(QStringLiteral("model"), r.model);
    o.insert(QStringLiteral("firmware"), r.firmware);
    o.insert(QStringLiteral("mac"), r.mac);
    o.insert(QStringLiteral("ip"), r.ip);
    o.insert(QStringLiteral("webPort"), r.webPort);
    o.insert(QStringLiteral("mask"), r.mask);
    o.insert(QStringLiteral("gateway"), r.gateway);
    o.insert(QStringLiteral("dns"), r.dns);
    o.insert(QStringLiteral("dns2"), r.dns2);
    o.insert(QStringLiteral("dhcp"), r.dhcp);
    o.insert(QStringLiteral("user"), r.user);
    o.insert(QStringLiteral("password"), r.password);
    o.insert(QStringLiteral("factory"), r.factory);
    SimWebScenario::write(r.web, &o);
    const QJsonObject misbehave = misbehaviourJson(r.misbehave);
    if (!misbehave.isEmpty())
        o.insert(QStringLiteral("misbehave"), misbehave);
    return o;
}

} // namespace

bool SimScenario::fromJson(const QByteArray &json, SimScenario *scenario, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        *error = QStringLiteral("not a JSON object: %1").arg(parseError.errorString());
        return false;
    }
    SimScenario loaded;
    QJsonArray recorders;
    if (!expandRecorderCopies(document.object().value(QLatin1String("recorders")).toArray(), &recorders, error))
        return false;
    for (qsizetype i = 0; i < recorders.size(); ++i) {
        SimRecorder recorder;
        QString why;
        if (!readRecorder(recorders.at(i).toObject(), &recorder, &why)) {
            *error = QStringLiteral("recorder %1: %2").arg(i).arg(why);
            return false;
        }
        loaded.recorders << recorder;
    }
    const QJsonValue portal = document.object().value(QLatin1String("portal"));
    if (portal.isObject() && !SimPortal::fromJson(portal.toObject(), &loaded.portal, error))
        return false;
    *scenario = loaded;
    return true;
}

bool SimScenario::load(const QString &path, SimScenario *scenario, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (!fromJson(file.readAll(), scenario, error)) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        return false;
    }
    return true;
}

QJsonObject SimScenario::toJson() const
{
    QJsonArray list;
    for (const SimRecorder &r : recorders)
        list.append(recorderJson(r));
    QJsonObject o {{QStringLiteral("recorders"), list}};
    if (portal.enabled)
        o.insert(QStringLiteral("portal"), portal.toJson());
    return o;
}
