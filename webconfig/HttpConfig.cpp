#include "webconfig/HttpConfig.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/TVexorReply.h"
#include "util/UtilMethod.h"
#include "webconfig/AnswerStatus.h"
#include "webconfig/CloudForms.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/HttpError.h"

namespace {

constexpr int kRecorderPort = 443;

} // namespace

HttpConfig::HttpConfig(HttpConfigDelegate *delegate)
    : httpget(this)
    , theDelegate(delegate)
{
    m_pollTimer.setSingleShot(true);
    QObject::connect(&m_pollTimer, &QTimer::timeout, [this] {
        if (httpCmd == HttpCmd::FormatPoll)
            request(QStringLiteral("storageformatpoll"));
    });
}

HttpConfig::~HttpConfig() = default;

void HttpConfig::begin(int cmd, const TVexorReply &dest, const QString &user, const QString &pass)
{
    destInfo = &dest;
    userName = user;
    password = pass;
    beginPortal(cmd);
}

void HttpConfig::beginPortal(int cmd)
{
    // A poll still pending belongs to the command being replaced.
    m_pollTimer.stop();
    httpget.close();
    httpCmd = cmd;
    ++m_generation;
}

QString HttpConfig::recorderUrl(const QString &path) const
{
    return QStringLiteral("https://%1:%2/config/%3")
        .arg(UtilMethod::ipToString(destInfo->ipAddress))
        .arg(kRecorderPort)
        .arg(path);
}

void HttpConfig::request(const QString &path)
{
    httpget.get(recorderUrl(path), userName, password);
}

void HttpConfig::finish()
{
    if (theDelegate)
        theDelegate->onHttpConfigDidFinish(this, httpCmd);
}

void HttpConfig::onHttpDidFinish(HttpGet *, const QByteArray &datas)
{
    httpget.close();
    if (const std::optional<HttpError> failure = answerFailure(httpCmd, httpget.statusCode(), datas)) {
        onHttpDidError(*failure);
        return;
    }
    switch (httpCmd) {
    case HttpCmd::GetHddInfo:
        onHddAnswer(datas);
        return;
    case HttpCmd::FormatHdd:
        httpCmd = HttpCmd::FormatPoll;
        m_pollTimer.start(durations().formatPollMs);
        return;
    case HttpCmd::FormatPoll:
        onFormatPollAnswer(datas);
        return;
    default:
        parseAnswer(datas);
        finish();
    }
}

void HttpConfig::onHttpDidError(const HttpError &err)
{
    Log::format("%s %s", "-[HttpConfig onHttpDidError:]", qUtf8Printable(err.description));
    if (theDelegate)
        theDelegate->onHttpDidError(err);
}

void HttpConfig::startSetRegistStatus(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::SetRegistStatus, dest, user, pass);
    request(QStringLiteral("nimboraregstatus?status=1"));
}

void HttpConfig::startGetNimboraInfo(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::GetNimboraInfo, dest, user, pass);
    nimboraInfo = std::make_shared<TNimboraInfo>();
    request(QStringLiteral("nimboraportal"));
}

void HttpConfig::startGetNimboraRegInfo(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::GetNimboraRegInfo, dest, user, pass);
    nimboraRegInfo = std::make_shared<TNimboraRegInfo>();
    request(QStringLiteral("nimborareginfo"));
}

void HttpConfig::startSetNimboraAccount(const TVexorReply &dest, const QString &user, const QString &pass,
    const QString &account, const QString &accountPassword)
{
    begin(HttpCmd::SetNimboraAccount, dest, user, pass);
    request(QStringLiteral("nimborareginfo?") + CloudForms::accountQuery(account, accountPassword));
}

void HttpConfig::startDelCamera(const TVexorReply &dest, int dev, const QString &user, const QString &pass)
{
    begin(HttpCmd::DelCamera, dest, user, pass);
    const QString path = QStringLiteral("delavdev?avdevid=%1").arg(dev);
    Log::line(recorderUrl(path));
    request(path);
}

void HttpConfig::startResetNVR(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::ResetNVR, dest, user, pass);
    request(QStringLiteral("factory"));
}

void HttpConfig::performGetDateInformation(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::GetDateInformation, dest, user, pass);
    dateInfos = std::make_shared<TDateInfo>();
    request(QStringLiteral("datetime?"));
}

void HttpConfig::performStartRecording(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::StartRecording, dest, user, pass);
    recordingInfos = std::make_shared<TRecordingInfo>();
    const QString path = QStringLiteral("manrecord?record=1");
    Log::format("%s %s", "-[HttpConfig performStartRecording:user:pass:]", qUtf8Printable(recorderUrl(path)));
    request(path);
}
