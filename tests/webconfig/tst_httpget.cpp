#include "platform/Durations.h"
#include "sim/http/SimHttpServer.h"
#include "sim/http/SimTlsIdentity.h"
#include "tests/support/DataRows.h"
#include "webconfig/CameraHttp.h"
#include "webconfig/HttpError.h"
#include "webconfig/HttpGet.h"
#include "webconfig/HttpGetDelegate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <functional>

namespace {

constexpr int kWaitMs = 10000;
constexpr qint64 kOverTheCap = HttpGet::kMaxBodyBytes + 1;

struct Recorder : HttpGetDelegate
{
    int finished = 0;
    int failed = 0;
    QByteArray body;
    HttpError error;

    void onHttpDidFinish(HttpGet *, const QByteArray &datas) override
    {
        ++finished;
        body = datas;
    }
    void onHttpDidError(const HttpError &e) override
    {
        ++failed;
        error = e;
    }
    int calls() const { return finished + failed; }
};

SimHttpResponse answer(const SimHttpRequest &request)
{
    SimHttpResponse response;
    const QByteArray path = request.path;
    if (path == "/echo") {
        QJsonObject seen {{"method", QString::fromLatin1(request.method)}, {"body", QString::fromUtf8(request.body)}};
        for (const char *name : {"authorization", "cookie", "content-type"}) {
            if (request.headers.contains(name))
                seen.insert(QLatin1String(name), QString::fromUtf8(request.header(name)));
        }
        return SimHttpResponse::text(200, QJsonDocument(seen).toJson(QJsonDocument::Compact));
    }
    if (path == "/401") {
        response = SimHttpResponse::errorPage(401);
        response.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"config\"")));
    } else if (path == "/redirect") {
        response = SimHttpResponse::text(302, "moved\r\n");
        response.headers.append(qMakePair(QByteArray("Location"), QByteArray("/echo")));
    } else if (path == "/empty") {
        response = SimHttpResponse::text(200, QByteArray());
    } else if (path == "/stall") {
        response = SimHttpResponse::text(200, QByteArray(100, 'x'));
        response.delivery.stall = true;
    } else if (path == "/reset") {
        response.delivery.reset = true;
    } else if (path == "/big") {
        response.delivery.streamBytes = kOverTheCap;
        response.delivery.chunked = true;
    } else if (path == "/slow") {
        response = SimHttpResponse::text(200, "slow");
        response.delivery.delayMs = 300;
    } else {
        response = SimHttpResponse::errorPage(404);
    }
    return response;
}

} // namespace

class TestHttpGet : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimHttpServer> m_server;
    QByteArrayList m_paths; // every request the server answered

    QString url(const QString &path) const
    {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(m_server->lastPort()).arg(path);
    }
    static QJsonObject echoed(const std::function<void(HttpGet &)> &request)
    {
        Recorder delegate;
        HttpGet http(&delegate);
        request(http);
        if (!QTest::qWaitFor([&] { return delegate.calls() > 0; }, kWaitMs) || delegate.finished != 1)
            return {};
        return QJsonDocument::fromJson(delegate.body).object();
    }
    // A whole request of its own: anything still due from earlier requests has come by its end.
    bool markerAnswered(const QString &path)
    {
        Recorder marker;
        HttpGet http(&marker);
        http.get(url(path), std::nullopt, std::nullopt);
        return QTest::qWaitFor([&] { return marker.finished == 1; }, kWaitMs);
    }

private slots:
    void initTestCase()
    {
        QSslConfiguration tls;
        QString error;
        QVERIFY2(makeSelfSignedTls(QStringLiteral("recorder.invalid"), &tls, &error), qPrintable(error));
        m_server = std::make_unique<SimHttpServer>(tls, [this](const SimHttpRequest &request, const QHostAddress &) {
            m_paths.append(request.path);
            return answer(request);
        });
        QVERIFY2(m_server->listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
    }

    void init() { setDurations(Durations()); }

    void basicHeaderIsSentBeforeAnyChallenge_data()
    {
        const std::nullopt_t none = std::nullopt;
        rows<std::optional<QString>, std::optional<QString>, QString>(
            {"user", "password", "expected"}, // empty: no header
            {{"user and password", "admin", "secret", "Basic YWRtaW46c2VjcmV0"},
                {"no password", "admin", none, "Basic YWRtaW46"},
                {"utf-8", "j\u00fcrgen", "p\u00e4ss", "Basic asO8cmdlbjpww6Rzcw=="},
                {"empty user", QString(), "secret", QString()}, {"no user", none, "secret", QString()}});
    }
    void basicHeaderIsSentBeforeAnyChallenge()
    {
        QFETCH(std::optional<QString>, user);
        QFETCH(std::optional<QString>, password);
        QFETCH(QString, expected);
        const QJsonObject seen = echoed([&](HttpGet &http) { http.get(url(QStringLiteral("/echo")), user, password); });
        QCOMPARE(seen.value(QStringLiteral("method")).toString(), QStringLiteral("GET"));
        QCOMPARE(seen.value(QStringLiteral("authorization")).toString(), expected);
        QVERIFY(!seen.contains(QStringLiteral("cookie")));
    }

    void formPostCarriesCookieOnlyWhenGiven_data()
    {
        rows<QString, QString, QString>({"cookie", "content", "body"},
            {{"no cookie", QString(), "a=1&b=2&\r\n\r\n", "a=1&b=2&\r\n\r\n"}, {"cookie", "nimbora=K3y", "x=y", "x=y"},
                {"not ascii: no body", QString(), "name=J\u00f6rg", QString()}});
    }
    void formPostCarriesCookieOnlyWhenGiven()
    {
        QFETCH(QString, cookie);
        QFETCH(QString, content);
        QFETCH(QString, body);
        const QJsonObject seen
            = echoed([&](HttpGet &http) { http.postNimbora(url(QStringLiteral("/echo")), cookie, content); });
        QCOMPARE(seen.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
        QCOMPARE(seen.value(QStringLiteral("cookie")).toString(), cookie);
        QCOMPARE(seen.value(QStringLiteral("cookie")).isUndefined(), cookie.isEmpty());
        QCOMPARE(
            seen.value(QStringLiteral("content-type")).toString(), QStringLiteral("application/x-www-form-urlencoded"));
        QVERIFY(!seen.contains(QStringLiteral("authorization")));
        QCOMPARE(seen.value(QStringLiteral("body")).toString(), body);
    }

    void anyStatusArrivesAsBody_data()
    {
        rows<QString, qint64, QByteArray>({"path", "status", "body"},
            {{"401 challenge", "/401", 401, SimHttpResponse::errorPage(401).body},
                {"404", "/nothing/here", 404, SimHttpResponse::errorPage(404).body},
                {"redirect not followed", "/redirect", 302, "moved\r\n"}, {"empty body", "/empty", 200, QByteArray()}});
    }
    void anyStatusArrivesAsBody()
    {
        QFETCH(QString, path);
        QFETCH(qint64, status);
        QFETCH(QByteArray, body);
        Recorder delegate;
        HttpGet http(&delegate);
        const qsizetype before = m_paths.size();
        http.get(url(path), QStringLiteral("admin"), QStringLiteral("pw"));
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        QCOMPARE(delegate.finished, 1);
        QCOMPARE(http.statusCode(), status);
        QCOMPARE(delegate.body, body);
        QCOMPARE(m_paths.size(), before + 1);
        QVERIFY(!http.isBusy());
    }

    void failuresEndInOneError_data()
    {
        rows<QString, QString, int>({"target", "domain", "code"},
            {{"stalled server", url(QStringLiteral("/stall")), kHttpGetErrorDomain, HttpGetTimedOut},
                {"body over the limit", url(QStringLiteral("/big")), kHttpGetErrorDomain, HttpGetBodyTooLarge},
                {"reset", url(QStringLiteral("/reset")), QString(), 0},
                {"refused", "https://127.0.0.1:1/x", QString(), 0},
                {"not a URL", "not a url", kHttpGetErrorDomain, HttpGetBadUrl},
                {"no host", "https:///account/?signin", kHttpGetErrorDomain, HttpGetBadUrl},
                {"space in URL", url(QStringLiteral("/config/x?email=a b")), kHttpGetErrorDomain, HttpGetBadUrl}});
    }
    void failuresEndInOneError()
    {
        QFETCH(QString, target);
        QFETCH(QString, domain);
        QFETCH(int, code);
        setDurations(Durations().scaled(0.01)); // a 300 ms stall limit
        Recorder delegate;
        HttpGet http(&delegate);
        http.get(target, QStringLiteral("admin"), QStringLiteral("pw"));
        QCOMPARE(delegate.calls(), 0); // never from inside the start
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        QCOMPARE(delegate.failed, 1);
        QVERIFY(!delegate.error.description.isEmpty());
        if (!domain.isEmpty()) {
            QCOMPARE(delegate.error.domain, domain);
            QCOMPARE(delegate.error.code, code);
        }
        if (target.endsWith(QLatin1String("/big")))
            QCOMPARE(http.contentLength(), qint64(-1)); // capped while streaming, not by its head
        QVERIFY(markerAnswered(QStringLiteral("/echo")));
        QCOMPARE(delegate.calls(), 1);
    }

    void cancelledAndReplacedRequestsCallNothing()
    {
        Recorder delegate;
        HttpGet http(&delegate);
        http.get(url(QStringLiteral("/stall")), QStringLiteral("admin"), QStringLiteral("pw"));
        QTRY_VERIFY_WITH_TIMEOUT(m_paths.endsWith("/stall"), kWaitMs);
        http.close();
        QVERIFY(!http.isBusy());
        http.get(QStringLiteral("bad url"), std::nullopt, std::nullopt);
        http.close();
        http.close(); // nothing in flight: nothing happens
        QVERIFY(markerAnswered(QStringLiteral("/echo")));
        QCOMPARE(delegate.calls(), 0);

        // A new request replaces the one in flight, whose answer is dropped.
        http.get(url(QStringLiteral("/slow")), QStringLiteral("admin"), QStringLiteral("pw"));
        http.postNimbora(url(QStringLiteral("/echo")), QString(), QStringLiteral("second"));
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        // A second slow request, sent after the first arrived, is answered after it.
        QTRY_VERIFY_WITH_TIMEOUT(m_paths.contains("/slow"), kWaitMs);
        QVERIFY(markerAnswered(QStringLiteral("/slow")));
        QCOMPARE(delegate.calls(), 1);
        QCOMPARE(QJsonDocument::fromJson(delegate.body).object().value(QStringLiteral("body")).toString(),
            QStringLiteral("second"));
    }

    void cameraGetSendsCredentialsOnlyWithAUser()
    {
        SimHttpServer camera([](const SimHttpRequest &request, const QHostAddress &) { return answer(request); });
        QString error;
        QVERIFY2(camera.listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
        const QString echo = QStringLiteral("http://127.0.0.1:%1/echo").arg(camera.lastPort());
        const CameraAnswer anonymous = cameraGet(echo, QString(), QStringLiteral("unused"), kWaitMs);
        QVERIFY(anonymous.answered);
        QVERIFY(!QJsonDocument::fromJson(anonymous.body).object().contains(QStringLiteral("authorization")));
        const CameraAnswer admin = cameraGet(echo, QStringLiteral("admin"), QString(), kWaitMs);
        QCOMPARE(QJsonDocument::fromJson(admin.body).object().value(QStringLiteral("authorization")).toString(),
            QStringLiteral("Basic YWRtaW46"));
    }
};

QTEST_GUILESS_MAIN(TestHttpGet)
#include "tst_httpget.moc"
