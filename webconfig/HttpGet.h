#pragma once

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class HttpGetDelegate;
struct HttpError;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The wizard's HTTP(S) client: one request at a time, the whole body in
// memory, any server certificate accepted for its own requests.
class HttpGet
{
public:
    // Bodies beyond this are refused: no recorder or portal answer comes near it.
    static constexpr qint64 kMaxBodyBytes = 1024 * 1024;
    static constexpr qint64 kReadAheadBytes = 256 * 1024;

    explicit HttpGet(HttpGetDelegate *delegate);
    ~HttpGet();
    HttpGet(const HttpGet &) = delete;
    HttpGet &operator=(const HttpGet &) = delete;

    // GET with a pre-emptive Basic header when a user name is given. A request
    // in flight is cancelled first, silently.
    void get(const QString &url, const std::optional<QString> &user, const std::optional<QString> &passWord);
    // URL-encoded form POST; an empty cookie sends no Cookie header.
    void postNimbora(const QString &url, const QString &cookie, const QString &content);
    // Cancels the request in flight, if any; it calls no delegate operation.
    void close();

    bool isBusy() const;
    qint64 statusCode() const { return m_statusCode; }
    qint64 contentLength() const { return m_contentLength; }

private:
    void start(QNetworkRequest &request, const QByteArray &method, const QByteArray &body, int timeoutMs);
    void failLater(const HttpError &error);
    void onResponseHead();
    void onData();
    void onFinished();
    void fail(const HttpError &error);

    HttpGetDelegate *theDelegate;
    std::optional<QString> userName;
    std::optional<QString> passWord;
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QNetworkReply *urlConnection = nullptr;
    qint64 m_statusCode = 0;
    qint64 m_contentLength = -1;
    QByteArray rxBuffer;
    QTimer m_stallTimer; // restarted by every sign of progress
    QTimer m_failTimer; // delivers a failure found before anything was sent
    std::unique_ptr<HttpError> m_pendingFailure;
};
