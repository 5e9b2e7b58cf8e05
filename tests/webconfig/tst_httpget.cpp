// The HTTP transport against a real TLS server on loopback whose certificate
// is self-signed and made out to another host name.
#include "WebFixture.h"

#include "platform/Durations.h"
#include "webconfig/HttpError.h"
#include "webconfig/HttpGet.h"
#include "webconfig/HttpGetDelegate.h"

#include <QJsonDocument>
#include <QTcpServer>
#include <QtTest>

namespace {

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

constexpr int kWaitMs = 10000;

} // namespace

class TestHttpGet : public QObject
{
    Q_OBJECT

private:
    WebFixture m_server;
    QString url(const QString &path) const
    {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(m_server.port()).arg(path);
    }
    QJsonObject lastRequest() const { return m_server.requests().last(); }

private slots:
    void initTestCase()
    {
        const QJsonObject routes
            = {{QStringLiteral("/emptybody"), QJsonObject {{QStringLiteral("bodies"), QJsonArray {QString()}}}}};
        QString error;
        QVERIFY2(m_server.start(QStringLiteral("127.0.0.1"), 0, routes, QString(), &error), qPrintable(error));
    }

    void init() { setDurations(Durations()); }

    void basicHeaderIsSentBeforeAnyChallenge_data()
    {
        QTest::addColumn<std::optional<QString>>("user");
        QTest::addColumn<std::optional<QString>>("password");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("user and password")
            << std::optional<QString>(QStringLiteral("admin")) << std::optional<QString>(QStringLiteral("secret"))
            << QStringList {QStringLiteral("Basic YWRtaW46c2VjcmV0")};
        QTest::newRow("no password") << std::optional<QString>(QStringLiteral("admin")) << std::optional<QString>()
                                     << QStringList {QStringLiteral("Basic YWRtaW46")};
        QTest::newRow("utf-8") << std::optional<QString>(QStringLiteral("j\u00fcrgen"))
                               << std::optional<QString>(QStringLiteral("p\u00e4ss"))
                               << QStringList {QStringLiteral("Basic asO8cmdlbjpww6Rzcw==")};
        QTest::newRow("empty user") << std::optional<QString>(QString())
                                    << std::optional<QString>(QStringLiteral("secret")) << QStringList();
        QTest::newRow("no user") << std::optional<QString>() << std::optional<QString>(QStringLiteral("secret"))
                                 << QStringList();
    }
    void basicHeaderIsSentBeforeAnyChallenge()
    {
        QFETCH(std::optional<QString>, user);
        QFETCH(std::optional<QString>, password);
        QFETCH(QStringList, expected);
        Recorder delegate;
        HttpGet http(&delegate);
        http.get(url(QStringLiteral("/echo")), user, password);
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        QCOMPARE(delegate.finished, 1);
        const QJsonObject seen = QJsonDocument::fromJson(delegate.body).object();
        QCOMPARE(seen.value(QStringLiteral("method")).toString(), QStringLiteral("GET"));
        QCOMPARE(WebFixture::header(seen, QStringLiteral("Authorization")), expected);
        QVERIFY(WebFixture::header(seen, QStringLiteral("Cookie")).isEmpty());
    }

    void formPostCarriesCookieOnlyWhenGiven_data()
    {
        QTest::addColumn<QString>("cookie");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QStringList>("cookies");
        QTest::addColumn<QString>("body");
        QTest::newRow("no cookie") << QString() << QStringLiteral("a=1&b=2&\r\n\r\n") << QStringList()
                                   << QStringLiteral("a=1&b=2&\r\n\r\n");
        QTest::newRow("cookie") << QStringLiteral("nimbora=K3y") << QStringLiteral("x=y")
                                << QStringList {QStringLiteral("nimbora=K3y")} << QStringLiteral("x=y");
        QTest::newRow("not ascii: no body")
            << QString() << QStringLiteral("name=J\u00f6rg") << QStringList() << QString();
    }
    void formPostCarriesCookieOnlyWhenGiven()
    {
        QFETCH(QString, cookie);
        QFETCH(QString, content);
        QFETCH(QStringList, cookies);
        QFETCH(QString, body);
        Recorder delegate;
        HttpGet http(&delegate);
        http.postNimbora(url(QStringLiteral("/echo")), cookie, content);
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        QCOMPARE(delegate.finished, 1);
        const QJsonObject seen = QJsonDocument::fromJson(delegate.body).object();
        QCOMPARE(seen.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
        QCOMPARE(WebFixture::header(seen, QStringLiteral("Cookie")), cookies);
        QCOMPARE(WebFixture::header(seen, QStringLiteral("Content-Type")),
            QStringList {QStringLiteral("application/x-www-form-urlencoded")});
        QVERIFY(WebFixture::header(seen, QStringLiteral("Authorization")).isEmpty());
        QCOMPARE(seen.value(QStringLiteral("body")).toString(), body);
    }

    void anyStatusArrivesAsBody_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("401 challenge") << QStringLiteral("/401") << qint64(401) << QByteArray("401 Unauthorized\r\n");
        QTest::newRow("404") << QStringLiteral("/nothing/here") << qint64(404) << QByteArray("404 Not Found\r\n");
        QTest::newRow("redirect not followed") << QStringLiteral("/redirect") << qint64(302) << QByteArray("moved\r\n");
        QTest::newRow("empty body") << QStringLiteral("/emptybody") << qint64(200) << QByteArray();
        QTest::newRow("forty pieces") << QStringLiteral("/chunks") << qint64(200) << [] {
            QByteArray whole;
            for (int i = 0; i < 40; ++i)
                whole += QStringLiteral("line%1\r\n").arg(i, 2, 10, QLatin1Char('0')).toLatin1();
            return whole;
        }();
    }
    void anyStatusArrivesAsBody()
    {
        QFETCH(QString, path);
        QFETCH(qint64, status);
        QFETCH(QByteArray, body);
        Recorder delegate;
        HttpGet http(&delegate);
        const int before = m_server.requests().size();
        http.get(url(path), QStringLiteral("admin"), QStringLiteral("pw"));
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        QCOMPARE(delegate.finished, 1);
        QCOMPARE(http.statusCode(), status);
        QCOMPARE(delegate.body, body);
        QCOMPARE(m_server.requests().size(), before + 1);
        QVERIFY(!http.isBusy());
    }

    void failuresEndInOneError_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<int>("code");
        QTest::newRow("stalled server") << url(QStringLiteral("/stall")) << kHttpGetErrorDomain << int(HttpGetTimedOut);
        QTest::newRow("body over the limit")
            << url(QStringLiteral("/big")) << kHttpGetErrorDomain << int(HttpGetBodyTooLarge);
        QTest::newRow("limit announced") << url(QStringLiteral("/bigannounced")) << kHttpGetErrorDomain
                                         << int(HttpGetBodyTooLarge);
        QTest::newRow("reset mid-body") << url(QStringLiteral("/reset")) << QString() << 0;
        QTest::newRow("refused") << QStringLiteral("https://127.0.0.1:%1/x").arg(closedPort()) << QString() << 0;
        QTest::newRow("not a URL") << QStringLiteral("not a url") << kHttpGetErrorDomain << int(HttpGetBadUrl);
        QTest::newRow("no host") << QStringLiteral("https:///account/?signin") << kHttpGetErrorDomain
                                 << int(HttpGetBadUrl);
        QTest::newRow("space in URL") << url(QStringLiteral("/config/x?email=a b")) << kHttpGetErrorDomain
                                      << int(HttpGetBadUrl);
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
        QTest::qWait(100);
        QCOMPARE(delegate.calls(), 1);
    }

    void cancelledRequestsCallNothing()
    {
        Recorder delegate;
        HttpGet http(&delegate);
        http.get(url(QStringLiteral("/stall")), QStringLiteral("admin"), QStringLiteral("pw"));
        QTRY_VERIFY_WITH_TIMEOUT(
            m_server.requests().last().value(QStringLiteral("path")) == QLatin1String("/stall"), kWaitMs);
        http.close();
        QVERIFY(!http.isBusy());
        http.get(QStringLiteral("bad url"), std::nullopt, std::nullopt);
        http.close();
        http.close(); // nothing in flight: nothing happens
        QTest::qWait(300);
        QCOMPARE(delegate.calls(), 0);
    }

    void newRequestReplacesTheOneInFlight()
    {
        Recorder delegate;
        HttpGet http(&delegate);
        http.get(url(QStringLiteral("/chunks")), QStringLiteral("admin"), QStringLiteral("pw"));
        http.postNimbora(url(QStringLiteral("/echo")), QString(), QStringLiteral("second"));
        QTRY_COMPARE_WITH_TIMEOUT(delegate.calls(), 1, kWaitMs);
        QTest::qWait(600); // the chunks would have finished by now
        QCOMPARE(delegate.calls(), 1);
        QCOMPARE(QJsonDocument::fromJson(delegate.body).object().value(QStringLiteral("body")).toString(),
            QStringLiteral("second"));
    }

private:
    static quint16 closedPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort(); // closed again when probe goes
    }
};

QTEST_GUILESS_MAIN(TestHttpGet)
#include "tst_httpget.moc"
