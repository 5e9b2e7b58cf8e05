#include "SimProcess.h"

#include "LabEnv.h"
#include "util/UtilMethod.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>

#include <csignal>
#include <sys/prctl.h>

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QJsonArray array(const QList<QJsonObject> &objects)
{
    QJsonArray list;
    for (const QJsonObject &o : objects)
        list.append(o);
    return list;
}

} // namespace

SimLogLine SimLogLine::parse(const QString &line)
{
    static const QRegularExpression field(QStringLiteral("(\\w+)=(\"[^\"]*\"|\\S*)"));
    SimLogLine parsed;
    parsed.kind = line.section(QLatin1Char(' '), 0, 0);
    for (auto it = field.globalMatch(line); it.hasNext();) {
        const auto match = it.next();
        QString value = match.captured(2);
        if (value.startsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        parsed.fields.insert(match.captured(1), value);
    }
    parsed.timeMs = parsed.value("t").toLongLong();
    return parsed;
}

SimProcess::SimProcess()
    : m_env(QProcessEnvironment::systemEnvironment())
{
}

SimProcess::~SimProcess()
{
    stop();
}

QJsonObject SimProcess::recorder(int n)
{
    const QStringList ips = LabEnv::fromEnvironment().recorderIps;
    const QString ip = ips.isEmpty() ? QStringLiteral("192.0.2.%1").arg(10 + n) : ips.value(n % ips.size());
    const QString mac = QStringLiteral("00:1c:27:00:%1:%2")
                            .arg((n >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                            .arg(n & 0xFF, 2, 16, QLatin1Char('0'));
    return QJsonObject {{"name", QStringLiteral("recorder %1").arg(n)}, {"model", "HRX-540A"}, {"mac", mac}, {"ip", ip},
        {"gateway", "192.0.2.2"}, {"dns", "192.0.2.2"}, {"factory", true}};
}

QJsonObject SimProcess::merged(QJsonObject into, const QJsonObject &extra)
{
    for (auto it = extra.begin(); it != extra.end(); ++it)
        into.insert(it.key(), it.value());
    return into;
}

QJsonObject SimProcess::configured(int n, const QString &password)
{
    return merged(recorder(n), {{"password", password}, {"factory", false}});
}

QJsonObject SimProcess::misbehaving(int n, const QJsonObject &misbehave)
{
    return merged(recorder(n), {{"misbehave", misbehave}});
}

QJsonObject SimProcess::camera(int n, const QString &protocolType, const QString &password)
{
    const QStringList ips = LabEnv::fromEnvironment().cameraIps;
    const QString ip = ips.isEmpty() ? QStringLiteral("192.0.2.%1").arg(100 + n) : ips.value(n % ips.size());
    const bool zebor = protocolType == QLatin1String("0");
    return QJsonObject {{"ip", ip}, {"mac", QStringLiteral("00:1c:27:10:00:%1").arg(n & 0xFF, 2, 16, QLatin1Char('0'))},
        {"brand", zebor ? "ZEBOR" : "47X"}, {"model", zebor ? "ZB-2100" : "47X-IP200"}, {"user", "admin"},
        {"password", password}, {"protocol", zebor ? "ONVIF" : "HTTP"}, {"protocolType", protocolType}};
}

QJsonObject SimProcess::withCameras(QJsonObject recorder, const QList<QJsonObject> &cameras)
{
    recorder.insert(QStringLiteral("cameras"), array(cameras));
    return recorder;
}

QJsonObject SimProcess::scenario(const QList<QJsonObject> &recorders)
{
    return QJsonObject {{QStringLiteral("recorders"), array(recorders)}};
}

QJsonObject SimProcess::withPortalAccount(QJsonObject scenario, const QString &email, const QString &password)
{
    const QJsonObject account {{"email", email}, {"password", password}, {"key", "k1"}};
    scenario.insert(QStringLiteral("portal"), QJsonObject {{"accounts", QJsonArray {account}}});
    return scenario;
}

TVexorReply SimProcess::target(const QJsonObject &recorder)
{
    TVexorReply record {};
    UtilMethod::stringToMac(recorder.value(QStringLiteral("mac")).toString(), record.macAddress);
    UtilMethod::stringToIp(recorder.value(QStringLiteral("ip")).toString(), record.ipAddress);
    return record;
}

bool SimProcess::start(const QJsonObject &scenario, QString *error)
{
    QString ignored;
    QString &why = error ? *error : ignored;
    const LabEnv lab = LabEnv::fromEnvironment();
    if (!lab.inLab()) {
        why = QStringLiteral("not inside the network lab");
        return false;
    }
    const QString scenarioPath = m_dir.filePath(QStringLiteral("scenario.json"));
    QFile file(scenarioPath);
    if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(scenario).toJson()) < 0) {
        why = QStringLiteral("cannot write %1").arg(scenarioPath);
        return false;
    }
    file.close();
    QFile::remove(m_dir.filePath(QStringLiteral("sim.log")));
    m_process.setProcessEnvironment(m_env);
    m_process.setReadChannel(QProcess::StandardOutput);
    // A test that dies must not leave a simulator holding the LAN port.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    QStringList args {QStringLiteral("netns"), QStringLiteral("exec"), lab.lanNamespace,
        qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrsim"), QStringLiteral("--scenario"),
        scenarioPath, QStringLiteral("--log"), m_dir.filePath(QStringLiteral("sim.log"))};
    if (m_keepState)
        args << QStringLiteral("--state") << m_dir.filePath(QStringLiteral("state.json"));
    m_process.start(QStringLiteral("ip"), args);
    QDeadlineTimer deadline(15000);
    QByteArray out;
    while (!out.contains("nvrsim ready\n") && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        out += m_process.readAllStandardOutput();
    }
    if (out.contains("nvrsim ready\n"))
        return true;
    why = QStringLiteral("nvrsim did not get ready: %1").arg(QString::fromLocal8Bit(m_process.readAllStandardError()));
    stop();
    return false;
}

bool SimProcess::startScaled(const QJsonObject &scenario, double timeScale)
{
    setTimeScale(timeScale);
    QString error;
    const bool started = start(scenario, &error);
    if (!started)
        qWarning("%s", qPrintable(error));
    return started;
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QList<SimLogLine> SimProcess::log() const
{
    QList<SimLogLine> lines;
    for (const QString &line : readFile(m_dir.filePath(QStringLiteral("sim.log"))).split('\n', Qt::SkipEmptyParts))
        lines << SimLogLine::parse(line);
    return lines;
}

QList<SimLogLine> SimProcess::log(const QString &kind) const
{
    QList<SimLogLine> lines = log();
    lines.removeIf([&kind](const SimLogLine &line) { return line.kind != kind; });
    return lines;
}

bool SimProcess::waitForLog(const QString &kind, const std::function<bool(const SimLogLine &)> &match, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QList<SimLogLine> lines = log(kind);
        if (std::any_of(lines.cbegin(), lines.cend(), match))
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

QJsonObject SimProcess::state() const
{
    return QJsonDocument::fromJson(readFile(m_dir.filePath(QStringLiteral("state.json"))).toUtf8()).object();
}

QJsonObject SimProcess::cameraStateOf(const QString &ip) const
{
    for (const QJsonValue &r : state().value(QStringLiteral("recorders")).toArray())
        for (const QJsonValue &c : r.toObject().value(QStringLiteral("cameras")).toArray())
            if (c.toObject().value(QStringLiteral("ip")).toString() == ip)
                return c.toObject();
    return {};
}

QJsonObject SimProcess::stateOf(const QString &mac) const
{
    for (const QJsonValue &r : state().value(QStringLiteral("recorders")).toArray())
        if (r.toObject().value(QStringLiteral("mac")).toString() == mac.toLower())
            return r.toObject();
    return {};
}
