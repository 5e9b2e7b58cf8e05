#include "webconfig/HttpGet.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "util/Base64.h"
#include "webconfig/HttpError.h"
#include "webconfig/HttpGetDelegate.h"
#include "webconfig/HttpStatusErrors.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

// The transport neither escapes nor repairs: a string that is not a usable
// absolute http(s) URL is refused before anything is sent.
std::optional<QUrl> usableUrl(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")) || url.host().isEmpty())
        return std::nullopt;
    return url;
}

HttpError badUrl()
{
    return {kHttpGetErrorDomain, HttpGetBadUrl, QStringLiteral("The URL cannot be used.")};
}

// The network stack's texts may quote the URL, whose query can carry credentials.
QString withoutQuery(QString description, const QUrl &url)
{
    const QUrl bare = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveUserInfo);
    for (const QString &shown : {url.toString(), url.toDisplayString(), url.toString(QUrl::FullyEncoded)})
        description.replace(shown, bare.toString());
    return description;
}

} // namespace

HttpGet::HttpGet(HttpGetDelegate *delegate)
    : theDelegate(delegate)
    , m_manager(std::make_unique<QNetworkAccessManager>())
{
    // Redirects come back as answers: a followed redirect would carry the
    // Basic header to wherever it points.
    m_manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_stallTimer.setSingleShot(true);
    m_failTimer.setSingleShot(true);
    m_failTimer.setInterval(0);
    QObject::connect(&m_stallTimer, &QTimer::timeout, [this] {
        fail({kHttpGetErrorDomain, HttpGetTimedOut, QStringLiteral("The request timed out.")});
    });
    QObject::connect(&m_failTimer, &QTimer::timeout, [this] {
        const HttpError error = *m_pendingFailure;
        m_pendingFailure.reset();
        Log::line(QStringLiteral("http didFailWithError"));
        if (theDelegate)
            theDelegate->onHttpDidError(error);
    });
}

HttpGet::~HttpGet()
{
    close();
}

bool HttpGet::isBusy() const
{
    return urlConnection != nullptr || m_pendingFailure != nullptr;
}

void HttpGet::get(const QString &url, const std::optional<QString> &user, const std::optional<QString> &password)
{
    userName = user;
    passWord = password;
    close();
    const std::optional<QUrl> target = usableUrl(url);
    if (!target) {
        failLater(badUrl());
        return;
    }
    QNetworkRequest request(*target);
    if (userName && !userName->isEmpty()) {
        if (!passWord)
            passWord = QString();
        const QByteArray credentials = QStringLiteral("%1:%2").arg(*userName, *passWord).toUtf8();
        request.setRawHeader("Authorization", "Basic " + Base64::encode(credentials));
    }
    start(request, "GET", QByteArray(), durations().httpGetTimeoutMs);
}

void HttpGet::postNimbora(const QString &url, const QString &cookie, const QString &content)
{
    Log::line(QStringLiteral("postNimbora:"));
    close();
    const std::optional<QUrl> target = usableUrl(url);
    if (!target) {
        failLater(badUrl());
        return;
    }
    QNetworkRequest request(*target);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/x-www-form-urlencoded"));
    if (!cookie.isEmpty())
        request.setRawHeader("Cookie", cookie.toUtf8());
    // Text that is not ASCII cannot be sent as this form: the request goes out without a body.
    const bool ascii = std::all_of(content.cbegin(), content.cend(), [](QChar c) { return c.unicode() < 0x80; });
    start(request, "POST", ascii ? content.toLatin1() : QByteArray(), durations().httpPostTimeoutMs);
}

void HttpGet::start(QNetworkRequest &request, const QByteArray &method, const QByteArray &body, int timeoutMs)
{
    // Cookies are only ever the caller's: no jar adds or keeps any.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    rxBuffer.clear();
    m_statusCode = 0;
    m_contentLength = -1;
    QNetworkReply *reply = method == "GET" ? m_manager->get(request) : m_manager->post(request, body);
    urlConnection = reply;
    // The network thread reads ahead only this far: a body that never ends
    // waits in the socket, not in memory.
    reply->setReadBufferSize(kReadAheadBytes);
    // Every certificate is accepted, for this request only.
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply] { reply->ignoreSslErrors(); });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [this] { onResponseHead(); });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this] { onData(); });
    QObject::connect(reply, &QNetworkReply::uploadProgress, reply, [this] { m_stallTimer.start(); });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this] { onFinished(); });
    m_stallTimer.start(timeoutMs);
}

void HttpGet::failLater(const HttpError &error)
{
    m_pendingFailure = std::make_unique<HttpError>(error);
    m_failTimer.start();
}

void HttpGet::close()
{
    m_failTimer.stop();
    m_pendingFailure.reset();
    m_stallTimer.stop();
    if (!urlConnection)
        return;
    QNetworkReply *reply = std::exchange(urlConnection, nullptr);
    QObject::disconnect(reply, nullptr, nullptr, nullptr);
    reply->abort();
    reply->deleteLater();
}

void HttpGet::onResponseHead()
{
    Log::line(QStringLiteral("didReceiveResponse:"));
    m_stallTimer.start();
    m_statusCode = urlConnection->attribute(QNetworkRequest::HttpStatusCodeAttribute).toLongLong();
    const QVariant length = urlConnection->header(QNetworkRequest::ContentLengthHeader);
    m_contentLength = length.isValid() ? length.toLongLong() : -1;
    if (m_contentLength > kMaxBodyBytes)
        fail({kHttpGetErrorDomain, HttpGetBodyTooLarge, QStringLiteral("The answer is too large.")});
}

void HttpGet::onData()
{
    Log::line(QStringLiteral("didReceiveData"));
    m_stallTimer.start();
    if (rxBuffer.size() + urlConnection->bytesAvailable() > kMaxBodyBytes) {
        fail({kHttpGetErrorDomain, HttpGetBodyTooLarge, QStringLiteral("The answer is too large.")});
        return;
    }
    rxBuffer.append(urlConnection->readAll());
}

void HttpGet::onFinished()
{
    QNetworkReply *reply = urlConnection;
    if (reply->error() != QNetworkReply::NoError && !isHttpStatusError(*reply)) {
        fail({QStringLiteral("QNetworkReply"), int(reply->error()), withoutQuery(reply->errorString(), reply->url())});
        return;
    }
    if (reply->bytesAvailable() > 0) {
        onData();
        if (!urlConnection)
            return;
    }
    close();
    Log::line(QStringLiteral("connectionDidFinishLoading:"));
    if (theDelegate)
        theDelegate->onHttpDidFinish(this, rxBuffer);
}

void HttpGet::fail(const HttpError &error)
{
    close();
    rxBuffer = QByteArray(); // what came of a failed answer is of no use, and may be large
    Log::line(QStringLiteral("http didFailWithError"));
    if (theDelegate)
        theDelegate->onHttpDidError(error);
}
