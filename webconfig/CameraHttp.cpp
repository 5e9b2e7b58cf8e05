#include "webconfig/CameraHttp.h"

#include "util/Base64.h"
#include "webconfig/HttpStatusErrors.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// A still image is far below this; anything larger is not a camera answer.
constexpr qint64 kMaxBodyBytes = 8 * 1024 * 1024;

} // namespace

CameraAnswer cameraGet(const QString &url, const QString &user, const QString &password, int timeoutMs)
{
    CameraAnswer answer;
    const QUrl target(url, QUrl::StrictMode);
    if (!target.isValid() || target.scheme() != QLatin1String("http") || target.host().isEmpty())
        return answer;

    QNetworkAccessManager manager;
    manager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    if (!user.isEmpty())
        request.setRawHeader(
            "Authorization", "Basic " + Base64::encode(QStringLiteral("%1:%2").arg(user, password).toUtf8()));

    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    bool tooLarge = false;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        if (answer.body.size() + reply->bytesAvailable() > kMaxBodyBytes) {
            tooLarge = true;
            loop.quit();
            return;
        }
        answer.body += reply->readAll();
    });
    deadline.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!reply->isFinished() || tooLarge) {
        QObject::disconnect(reply.get(), nullptr, nullptr, nullptr);
        reply->abort();
        return {};
    }
    if (reply->error() != QNetworkReply::NoError && !isHttpStatusError(*reply))
        return {};
    answer.body += reply->readAll();
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.answered = answer.status > 0;
    return answer;
}
