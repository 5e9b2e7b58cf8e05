// The cameras' own endpoints against a plain-HTTP stand-in on loopback that
// decodes every query with Python's urllib.parse: values arrive as typed, a
// new password is echoed back as the camera decoded it, a password check
// tells a refusal from no answer, and the preview's fetch sends credentials
// only with a user name and tells an image from other data.
#include "WebFixture.h"

#include "platform/Durations.h"
#include "webconfig/CameraEndpoints.h"
#include "webconfig/CameraHttp.h"
#include "webconfig/CameraImageFetch.h"
#include "webconfig/CameraPassword.h"
#include "webconfig/UrlQueryValue.h"

#include <QJsonArray>
#include <QTcpServer>
#include <QThread>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;

QJsonObject route(int status, const QString &body)
{
    return {{QStringLiteral("status"), status}, {QStringLiteral("bodies"), QJsonArray {body}}};
}

} // namespace

class CameraRequestsTest : public QObject
{
    Q_OBJECT

private:
    WebFixture m_camera;

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_camera.port()); }
    TCameraInfo camera(const QString &ip) const
    {
        TCameraInfo c;
        c.setIp(ip);
        c.setMac(QStringLiteral("00:1c:27:10:00:01"));
        c.setProtocolType(QStringLiteral("1"));
        return c;
    }
    // A camera's URL, sent to the stand-in's port instead of the default one.
    QString onStandIn(const QString &url) const
    {
        QUrl target(url);
        target.setPort(m_camera.port());
        return target.toString(QUrl::FullyEncoded);
    }
    QJsonObject lastRequest() const { return m_camera.requests().last(); }
    QString decoded(const QString &key) const
    {
        return lastRequest().value(QStringLiteral("query")).toObject().value(key).toArray().at(0).toString();
    }
    CameraImage fetch(const QString &path, const QString &user, const QString &password)
    {
        auto result = std::make_shared<std::optional<CameraImage>>();
        auto handover = std::make_shared<CameraImageHandover>([result](const CameraImage &image) {
            if (QThread::currentThread() == QCoreApplication::instance()->thread())
                *result = image;
        });
        fetchCameraImage(QStringLiteral("http://%1%2").arg(address(), path), user, password, kWaitMs, handover);
        if (!QTest::qWaitFor([&] { return result->has_value(); }, kWaitMs))
            return {};
        return **result;
    }

private slots:
    void initTestCase()
    {
        const QJsonObject routes {{QStringLiteral("/userlist.cgi"), route(401, QStringLiteral("401 Unauthorized"))},
            {QStringLiteral("/image/jpeg.cgi"), route(200, QStringLiteral("no picture today"))},
            {QStringLiteral("/values"), route(200, QStringLiteral("ok"))}};
        QString error;
        QVERIFY2(m_camera.startPlain(QStringLiteral("127.0.0.1"), routes, &error), qPrintable(error));
    }

    void queryValuesDecodeAsTyped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("escaped"); // empty: not checked
        QTest::newRow("fragment") << QStringLiteral("ab#cdefg") << QStringLiteral("ab%23cdefg");
        QTest::newRow("query marks") << QStringLiteral("50%+?&x") << QStringLiteral("50%25%2B%3F%26x");
        QTest::newRow("kept") << QStringLiteral("=/:@ kept") << QStringLiteral("=/:@%20kept");
        QTest::newRow("base64") << QStringLiteral("Y2FtK3B3PQ==") << QStringLiteral("Y2FtK3B3PQ==");
        QTest::newRow("base64 plus") << QStringLiteral("Pz8+Pw==") << QStringLiteral("Pz8%2BPw==");
        QTest::newRow("not ascii") << QStringLiteral("пароль") << QString();
        QTest::newRow("controls") << QStringLiteral("a\x01\tb\x7f") << QStringLiteral("a%01%09b%7F");
        QTest::newRow("unsafe") << QStringLiteral("\"<>\\^`{|}") << QString();
        QTest::newRow("punctuation") << QStringLiteral("[]'!$*(),;~-._") << QStringLiteral("[]'!$*(),;~-._");
    }
    void queryValuesDecodeAsTyped()
    {
        QFETCH(QString, value);
        QFETCH(QString, escaped);
        const QString query = urlQueryValue(value);
        if (!escaped.isEmpty())
            QCOMPARE(query, escaped);
        const CameraAnswer answer = cameraGet(
            QStringLiteral("http://%1/values?v=%2&after=1").arg(address(), query), QString(), QString(), kWaitMs);
        QVERIFY(answer.answered);
        // Sent as built, and read back as typed by a decoder nobody here wrote.
        QCOMPARE(
            lastRequest().value(QStringLiteral("path")).toString(), QStringLiteral("/values?v=%1&after=1").arg(query));
        QCOMPARE(decoded(QStringLiteral("v")), value);
        QCOMPARE(decoded(QStringLiteral("after")), QStringLiteral("1"));
    }

    void newPasswordReachesTheCameraAsTyped()
    {
        const QString password = QStringLiteral("Ab#1%2+3?=@x");
        const QString url = CameraEndpoints::setPasswordUrl(camera(QStringLiteral("127.0.0.1")), password);
        QVERIFY(cameraGet(onStandIn(url), QStringLiteral("admin"), QString(), kWaitMs).answered);
        QCOMPARE(decoded(QStringLiteral("AdminPassword")), password);
        QCOMPARE(decoded(QStringLiteral("AdminID")), QStringLiteral("admin"));
        QCOMPARE(decoded(QStringLiteral("ConfigReboot")), QStringLiteral("No"));
    }

    void passwordCheckTellsRefusalFromSilence()
    {
        const QString url = CameraEndpoints::userListUrl(camera(QStringLiteral("127.0.0.1")));
        const CameraAnswer refused
            = cameraGet(onStandIn(url), QStringLiteral("admin"), QStringLiteral("pw:1"), kWaitMs);
        QCOMPARE(httpReply(refused), CameraReply::Refused);
        QVERIFY(refusedCredentials(refused));

        // A port nobody listens on: no answer at all.
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        QCOMPARE(httpReply(cameraGet(
                     QStringLiteral("http://127.0.0.1:%1/userlist.cgi").arg(port), QString(), QString(), kWaitMs)),
            CameraReply::NoAnswer);

        // An address that is not a plain IPv4 address is sent nothing.
        const qsizetype asked = m_camera.requests().size();
        for (const QString &ip : {address(), QStringLiteral("127.0.0.1#"), QStringLiteral("localhost")}) {
            CameraPassword check;
            std::optional<CameraReply> reply;
            check.check(camera(ip), QStringLiteral("pw"), [&](CameraReply r) { reply = r; });
            QCOMPARE(reply, CameraReply::NoAnswer);
            QVERIFY(CameraEndpoints::imageUrl(camera(ip)).isEmpty());
        }
        QCOMPARE(m_camera.requests().size(), asked);
    }

    void previewFetchCredentialsAndImages()
    {
        CameraImage still = fetch(QStringLiteral("/image.jpg"), QString(), QStringLiteral("unused"));
        QVERIFY(still.gotData);
        QCOMPARE(still.image.size(), QSize(2, 2));
        QVERIFY(WebFixture::header(lastRequest(), QStringLiteral("Authorization")).isEmpty());

        still = fetch(QStringLiteral("/image.jpg"), QStringLiteral("admin"), QString());
        QVERIFY(!still.image.isNull());
        QCOMPARE(WebFixture::header(lastRequest(), QStringLiteral("Authorization")),
            QStringList {QStringLiteral("Basic YWRtaW46")});

        const CameraImage text
            = fetch(QStringLiteral("/image/jpeg.cgi"), QStringLiteral("admin"), QStringLiteral("pw"));
        QVERIFY(text.gotData);
        QVERIFY(text.image.isNull());
    }
};

QTEST_GUILESS_MAIN(CameraRequestsTest)
#include "tst_camerarequests.moc"
