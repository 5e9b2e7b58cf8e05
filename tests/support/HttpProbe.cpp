#include "HttpProbe.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>

namespace HttpProbe {

namespace {

HttpAnswer run(const std::function<QNetworkReply *(QNetworkAccessManager &)> &send, int timeoutMs)
{
    QNetworkAccessManager network;
    QElapsedTimer clock;
    clock.start();
    QNetworkReply *reply = send(network);
    reply->ignoreSslErrors();
    HttpAnswer answer;
    answer.finished = QTest::qWaitFor([reply] { return reply->isFinished(); }, timeoutMs);
    answer.elapsedMs = clock.elapsed();
    if (answer.finished) {
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.body = reply->readAll();
        answer.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        answer.authenticate = reply->rawHeader("WWW-Authenticate");
    } else {
        reply->abort();
    }
    delete reply;
    return answer;
}

} // namespace

HttpAnswer get(const QUrl &url, const std::optional<QString> &basic, int timeoutMs)
{
    QNetworkRequest request(url);
    if (basic)
        request.setRawHeader("Authorization", "Basic " + basic->toUtf8().toBase64());
    return run([&](QNetworkAccessManager &network) { return network.get(request); }, timeoutMs);
}

HttpAnswer post(const QUrl &url, const QByteArray &form, int timeoutMs)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/x-www-form-urlencoded"));
    return run([&](QNetworkAccessManager &network) { return network.post(request, form); }, timeoutMs);
}

} // namespace HttpProbe
