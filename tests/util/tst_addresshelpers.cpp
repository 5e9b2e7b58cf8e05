// Address helpers of the device records and the Base64 of the LAN text slots.
#include "platform/Log.h"
#include "util/Base64.h"
#include "util/UtilMethod.h"

#include <QtTest>

#include <array>

using Bytes = QList<int>;

namespace {

template<size_t N> Bytes toList(const std::array<uint8_t, N> &bytes)
{
    Bytes list;
    for (uint8_t b : bytes)
        list << b;
    return list;
}

} // namespace

class TestAddressHelpers : public QObject
{
    Q_OBJECT

private slots:
    void formatting()
    {
        const uint8_t ip[4] = {10, 0, 0, 1};
        QCOMPARE(UtilMethod::ipToString(ip), QStringLiteral("10.0.0.1"));
        const uint8_t high[4] = {255, 255, 255, 0};
        QCOMPARE(UtilMethod::ipToString(high), QStringLiteral("255.255.255.0"));
        const uint8_t mac[6] = {0x00, 0x0A, 0xFF, 0x01, 0x02, 0x03};
        QCOMPARE(UtilMethod::macToString(mac), QStringLiteral("00:0a:ff:01:02:03"));
    }

    void parsingIp_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Bytes>("bytes");
        QTest::newRow("with port") << QStringLiteral("192.168.1.7:80") << Bytes {192, 168, 1, 7};
        QTest::newRow("plain") << QStringLiteral("10.0.0.1") << Bytes {10, 0, 0, 1};
        QTest::newRow("leading digits only") << QStringLiteral("10a.x.3b.4") << Bytes {10, 0, 3, 4};
        QTest::newRow("cut to 8 bits") << QStringLiteral("300.1.2.3") << Bytes {44, 1, 2, 3};
        QTest::newRow("at most four") << QStringLiteral("1.2.3.4.5.6") << Bytes {1, 2, 3, 4};
        QTest::newRow("fewer parts keep the rest") << QStringLiteral("7.8") << Bytes {7, 8, 0xEE, 0xEE};
    }
    void parsingIp()
    {
        QFETCH(QString, text);
        QFETCH(Bytes, bytes);
        std::array<uint8_t, 6> out;
        out.fill(0xEE);
        UtilMethod::stringToIp(text, out.data());
        QCOMPARE(toList(out).mid(0, 4), bytes);
        QCOMPARE(out[4], uint8_t(0xEE));
    }

    void parsingMac_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Bytes>("bytes");
        QTest::newRow("lower case") << QStringLiteral("00:0a:ff:01:02:03") << Bytes {0, 10, 255, 1, 2, 3};
        QTest::newRow("upper case") << QStringLiteral("00:1C:27:AB:CD:EF") << Bytes {0, 0x1C, 0x27, 0xAB, 0xCD, 0xEF};
        QTest::newRow("unreadable part") << QStringLiteral("zz:1:2:3:4:5") << Bytes {0, 1, 2, 3, 4, 5};
        QTest::newRow("low 8 bits") << QStringLiteral("1ff:2:3:4:5:6") << Bytes {0xFF, 2, 3, 4, 5, 6};
    }
    void parsingMac()
    {
        QFETCH(QString, text);
        QFETCH(Bytes, bytes);
        std::array<uint8_t, 7> out;
        out.fill(0xEE);
        UtilMethod::stringToMac(text + QStringLiteral(":77"), out.data());
        QCOMPARE(toList(out).mid(0, 6), bytes);
        QCOMPARE(out[6], uint8_t(0xEE));
    }

    void portBytes()
    {
        QStringList lines;
        Log::setSink([&](const QString &l) { lines << l; });
        const uint8_t port[2] = {0x50, 0x00};
        QCOMPARE(UtilMethod::bytesToInt(port), 80);
        const uint8_t high[2] = {0x90, 0x1F};
        QCOMPARE(UtilMethod::bytesToInt(high), 8080);
        Log::setSink({});
        QCOMPARE(lines.first(), QStringLiteral("bytesToInt: port=80"));
    }

    void base64_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("f") << QByteArray("f") << QByteArray("Zg==");
        QTest::newRow("fo") << QByteArray("fo") << QByteArray("Zm8=");
        QTest::newRow("foobar") << QByteArray("foobar") << QByteArray("Zm9vYmFy");
        QTest::newRow("plus and slash") << QByteArray("\xfb\xff\xbf") << QByteArray("+/+/");
        QTest::newRow("credentials") << QByteArray("admin:s3cret") << QByteArray("YWRtaW46czNjcmV0");
        QTest::newRow("no line breaks") << QByteArray(60, 'a') << QByteArray("YWFh").repeated(20);
    }
    void base64()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, encoded);
        const QByteArray got = Base64::encode(plain);
        QCOMPARE(got, encoded);
        QByteArray back;
        QVERIFY(Base64::decode(got, &back));
        QCOMPARE(back, plain);
    }

    void base64RefusesWhatIsNotBase64()
    {
        QByteArray out("kept");
        QVERIFY(!Base64::decode("Zm9v!mFy", &out));
        QVERIFY(!Base64::decode("Zm9-", &out));
        QCOMPARE(out, QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestAddressHelpers)
#include "tst_addresshelpers.moc"
