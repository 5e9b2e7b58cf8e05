// The camera commands of HttpConfig: discovery by the recorder and adding a
// camera to one of its channels.
#include "webconfig/HttpConfig.h"

#include "platform/Log.h"
#include "util/Base64.h"
#include "webconfig/AnswerText.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/RecordParsers.h"
#include "webconfig/UrlQueryValue.h"

namespace {

constexpr int kPasswordField = 6;

// Discovery lines carry the cameras' passwords: those never reach the log.
QString maskedLine(const QString &line)
{
    QStringList fields = line.split(QLatin1Char(';'));
    if (fields.size() > kPasswordField)
        fields[kPasswordField] = Log::masked(fields[kPasswordField]);
    return fields.join(QLatin1Char(';'));
}

QString base64(const std::optional<QString> &text)
{
    return QString::fromLatin1(Base64::encode(text.value_or(QString()).toUtf8()));
}

// Only what would reach the recorder changed is escaped (Base64 "+", spaces in
// model names); Base64 "=" and "/" go as they are.
QString query(const std::optional<QString> &value)
{
    return urlQueryValue(value.value_or(QString()));
}

} // namespace

void HttpConfig::startCameraDiscovery(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::CameraDiscovery, dest, user, pass);
    if (cameraInfos)
        cameraInfos->clear();
    else
        cameraInfos = std::make_shared<TCameraInfoList>();
    const QString path = QStringLiteral("nimboradiscovery");
    Log::line(QStringLiteral("userName=%1 password=%2 url=%3").arg(user, Log::masked(pass), recorderUrl(path)));
    request(path);
}

void HttpConfig::parseCameras(const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QStringList shown;
    for (const QString &line : lines)
        shown.append(maskedLine(line));
    Log::line(shown.join(QStringLiteral("\r\n")));
    for (const QString &line : AnswerText::lines(text)) {
        Log::line(maskedLine(line));
        cameraInfos->append(RecordParsers::cameraLine(line));
    }
}

void HttpConfig::startAddCamera(
    const TVexorReply &dest, const TCameraInfo &camera, int dev, const QString &user, const QString &pass)
{
    begin(HttpCmd::AddCamera, dest, user, pass);
    const QString format = QStringLiteral("addavdev?avdevid=%1&avdevname=%2&hostname=%3&hostid=%4&protocol=%5"
                                          "&protocoltype=%6&account=%7&pass=%8&brand=%9&product=%10");
    const auto path = [&](const QString &account, const QString &cameraPass) {
        return format.arg(QString::number(dev), query(camera.modelName()), query(camera.ip()), query(camera.mac()),
            query(camera.protocol()), query(camera.protocolType()), account, cameraPass, query(camera.brandName()),
            query(camera.modelName()));
    };
    const QString account = query(base64(camera.userName()));
    Log::line(recorderUrl(path(account, Log::masked(camera.passWord().value_or(QString())))));
    request(path(account, query(base64(camera.passWord()))));
}
