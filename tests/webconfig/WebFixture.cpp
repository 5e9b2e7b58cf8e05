#include "WebFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace {

constexpr int kStartMs = 15000;

bool run(const QString &program, const QStringList &args, QString *error)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(kStartMs) || process.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    return true;
}

} // namespace

WebFixture::~WebFixture()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(kStartMs);
    }
}

bool WebFixture::start(
    const QString &bindIp, int port, const QJsonObject &routes, const QString &lanNamespace, QString *error)
{
    const QString cert = m_dir.filePath(QStringLiteral("cert.pem"));
    const QString key = m_dir.filePath(QStringLiteral("key.pem"));
    if (!run(QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"),
                QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=recorder.invalid")},
            error))
        return false;
    return launch(
        bindIp, port, routes, lanNamespace, {QStringLiteral("--cert"), cert, QStringLiteral("--key"), key}, error);
}

bool WebFixture::startPlain(const QString &bindIp, const QJsonObject &routes, QString *error)
{
    return launch(bindIp, 0, routes, QString(), {}, error);
}

bool WebFixture::launch(const QString &bindIp, int port, const QJsonObject &routes, const QString &lanNamespace,
    const QStringList &tls, QString *error)
{
    const QString routesFile = m_dir.filePath(QStringLiteral("routes.json"));
    QFile file(routesFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(routes).toJson()) < 0) {
        *error = QStringLiteral("cannot write ") + routesFile;
        return false;
    }
    file.close();
    const QString script = qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/tests/webconfig/webfixture.py");
    QStringList args = {script, QStringLiteral("--bind"), bindIp, QStringLiteral("--port"), QString::number(port),
        QStringLiteral("--routes"), routesFile, QStringLiteral("--log"),
        m_dir.filePath(QStringLiteral("requests.log"))};
    args += tls;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (lanNamespace.isEmpty())
        m_process.start(QStringLiteral("python3"), args);
    else
        m_process.start(QStringLiteral("ip"),
            QStringList {QStringLiteral("netns"), QStringLiteral("exec"), lanNamespace, QStringLiteral("python3")}
                + args);
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(kStartMs)) {
            *error = QStringLiteral("the web fixture did not start");
            return false;
        }
    }
    const QByteArray ready = m_process.readLine().trimmed();
    if (!ready.startsWith("ready ")) {
        *error = QStringLiteral("unexpected fixture output: ") + QString::fromLatin1(ready);
        return false;
    }
    m_port = ready.mid(6).toInt();
    return true;
}

QList<QJsonObject> WebFixture::requests() const
{
    QFile file(m_dir.filePath(QStringLiteral("requests.log")));
    QList<QJsonObject> all;
    if (!file.open(QIODevice::ReadOnly))
        return all;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.trimmed().isEmpty())
            all.append(QJsonDocument::fromJson(line).object());
    }
    return all;
}

QStringList WebFixture::header(const QJsonObject &request, const QString &name)
{
    QStringList values;
    for (const QJsonValue &pair : request.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray kv = pair.toArray();
        if (kv.at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            values.append(kv.at(1).toString());
    }
    return values;
}
