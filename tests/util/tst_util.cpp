#include "tests/support/DataRows.h"
#include "util/AsyncUdpSocket.h"
#include "util/AsyncUdpSocketDelegate.h"
#include "util/Base64.h"
#include "util/UtilMethod.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>
#include <array>
using Bytes = QList<int>;

namespace {

struct Event
{
    QString what; // sent, notSent, received, timedOut, closed
    long tag = 0;
    UdpError error;
    QByteArray data;
    qint64 atMs = 0;
};

struct Recorder : AsyncUdpSocketDelegate
{
    QList<Event> events;
    QElapsedTimer clock;

    Recorder() { clock.start(); }
    void add(const QString &what, long tag = 0, const UdpError &error = {}, const QByteArray &data = {})
    {
        events << Event {what, tag, error, data, clock.elapsed()};
    }
    qsizetype count(const QString &what) const
    {
        return std::count_if(events.begin(), events.end(), [&](const Event &e) { return e.what == what; });
    }
    void onUdpSocketDidSendData(AsyncUdpSocket *, long tag) override { add(QStringLiteral("sent"), tag); }
    void onUdpSocketDidNotSendData(AsyncUdpSocket *, long tag, const UdpError &e) override
    {
        add(QStringLiteral("notSent"), tag, e);
    }
    bool onUdpSocketDidReceiveData(
        AsyncUdpSocket *, const QByteArray &data, long tag, const QString &, quint16) override
    {
        add(QStringLiteral("received"), tag, {}, data);
        return true;
    }
    void onUdpSocketDidNotReceiveData(AsyncUdpSocket *, long tag, const UdpError &e) override
    {
        add(QStringLiteral("timedOut"), tag, e);
    }
    void onUdpSocketDidClose(AsyncUdpSocket *) override { add(QStringLiteral("closed")); }
};

struct Pair
{
    Recorder listenerEvents, senderEvents;
    AsyncUdpSocket listener {&listenerEvents};
    AsyncUdpSocket sender {&senderEvents};
    Pair()
    {
        listener.bindToAddress(QStringLiteral("127.0.0.1"), 0);
        sender.bindToAddress(QStringLiteral("127.0.0.1"), 0);
    }
    bool send(const QByteArray &data, long tag = 0)
    {
        return sender.sendData(data, QStringLiteral("127.0.0.1"), listener.localPort(), 1000, tag);
    }
};

} // namespace

class TestUtil : public QObject
{
    Q_OBJECT

private slots:
    void queuedReceivesRunOneAfterTheOther()
    {
        Recorder events;
        AsyncUdpSocket socket(&events);
        socket.bindToPort(0);
        socket.receiveWithTimeout(150, 1);
        socket.receiveWithTimeout(150, 2);
        QTRY_COMPARE(events.events.size(), 2);
        QCOMPARE(events.events[0].tag, 1L);
        QCOMPARE(events.events[1].tag, 2L);
        // The second starts only when the first ends, with its own full wait.
        QVERIFY2(events.events[1].atMs >= 300, qPrintable(QString::number(events.events[1].atMs)));
    }

    // The second datagram is longer than a receive takes: it arrives cut.
    void sendsReportInOrderAfterTheCall()
    {
        Pair pair;
        pair.listener.receiveWithTimeout(1000, 0);
        pair.listener.receiveWithTimeout(1000, 0);
        QVERIFY(pair.send("one", 1));
        QVERIFY(pair.send(QByteArray(10000, 'x'), 2));
        QVERIFY(pair.senderEvents.events.isEmpty());
        QTRY_COMPARE(pair.senderEvents.events.size(), 2);
        QCOMPARE(pair.senderEvents.events[0].tag, 1L);
        QCOMPARE(pair.senderEvents.events[1].tag, 2L);
        QCOMPARE(pair.senderEvents.events[1].what, QStringLiteral("sent"));
        QTRY_COMPARE(pair.listenerEvents.count(QStringLiteral("received")), 2);
        QCOMPARE(pair.listenerEvents.events.first().data, QByteArray("one"));
        QCOMPARE(pair.listenerEvents.events.last().data.size(), AsyncUdpSocket::maxReceiveBufferSize);
    }

    void sendsThatCannotBeQueued()
    {
        Recorder events;
        AsyncUdpSocket socket(&events);
        QVERIFY(!socket.sendData(QByteArray(), QStringLiteral("127.0.0.1"), 9, 100, 0));
        QVERIFY(!socket.sendData("x", QStringLiteral("::1"), 9, 100, 0));
        QVERIFY(socket.sendData("x", QStringLiteral("localhost"), 9, 100, 0));
        socket.close();
        QVERIFY(!socket.sendData("x", QStringLiteral("127.0.0.1"), 9, 100, 0));
        // A receive that outlasts the sends' own timeout marks when any late report would be in.
        Recorder marker;
        AsyncUdpSocket markerSocket(&marker);
        markerSocket.bindToPort(0);
        markerSocket.receiveWithTimeout(300, 0);
        QTRY_COMPARE(marker.count(QStringLiteral("timedOut")), 1);
        QCOMPARE(events.events.size(), 1);
        QCOMPARE(events.events.first().what, QStringLiteral("closed"));
    }

    void parsingAddresses_data()
    {
        rows<bool, QString, Bytes>({"mac", "text", "bytes"},
            {{"ip with port", false, "192.168.1.7:80", {192, 168, 1, 7}},
                {"ip plain", false, "10.0.0.1", {10, 0, 0, 1}},
                {"ip leading digits only", false, "10a.x.3b.4", {10, 0, 3, 4}},
                {"ip cut to 8 bits", false, "300.1.2.3", {44, 1, 2, 3}},
                {"ip at most four", false, "1.2.3.4.5.6", {1, 2, 3, 4}},
                {"ip fewer parts keep the rest", false, "7.8", {7, 8, 0xEE, 0xEE}},
                {"mac lower case", true, "00:0a:ff:01:02:03:77", {0, 10, 255, 1, 2, 3}},
                {"mac upper case", true, "00:1C:27:AB:CD:EF:77", {0, 0x1C, 0x27, 0xAB, 0xCD, 0xEF}},
                {"mac unreadable part", true, "zz:1:2:3:4:5:77", {0, 1, 2, 3, 4, 5}},
                {"mac low 8 bits", true, "1ff:2:3:4:5:6:77", {0xFF, 2, 3, 4, 5, 6}}});
    }
    void parsingAddresses()
    {
        QFETCH(bool, mac);
        QFETCH(QString, text);
        QFETCH(Bytes, bytes);
        std::array<uint8_t, 7> out;
        out.fill(0xEE);
        mac ? UtilMethod::stringToMac(text, out.data()) : UtilMethod::stringToIp(text, out.data());
        QCOMPARE(Bytes(out.begin(), out.begin() + bytes.size()), bytes);
        QCOMPARE(out[bytes.size()], uint8_t(0xEE));
    }

    // The standard alphabet both ways, as the recorder and the cameras decode it.
    void base64StandardAlphabetOnly()
    {
        QCOMPARE(Base64::encode("\xfb\xff\xbf"), QByteArray("+/+/"));
        QByteArray out("kept");
        QVERIFY(!Base64::decode("Zm9v!mFy", &out));
        QVERIFY(!Base64::decode("Zm9-", &out));
        QCOMPARE(out, QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestUtil)
#include "tst_util.moc"
