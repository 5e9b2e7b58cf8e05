// The UDP socket service between two sockets on the loopback address: queues,
// timers, callbacks and error values.
#include "util/AsyncUdpSocket.h"
#include "util/AsyncUdpSocketDelegate.h"

#include <QElapsedTimer>
#include <QtTest>

#include <functional>

namespace {

struct Event
{
    QString what; // sent, notSent, received, timedOut, closed
    long tag = 0;
    UdpError error;
    QByteArray data;
    QString host;
    quint16 port = 0;
    qint64 atMs = 0;
};

// Records every callback; `accept` decides what a receive does with a datagram.
struct Recorder : AsyncUdpSocketDelegate
{
    QList<Event> events;
    QElapsedTimer clock;
    std::function<bool(const QByteArray &)> accept = [](const QByteArray &) { return true; };

    Recorder() { clock.start(); }
    void add(const QString &what, long tag = 0, const UdpError &error = {}, const QByteArray &data = {},
        const QString &host = {}, quint16 port = 0)
    {
        events << Event {what, tag, error, data, host, port, clock.elapsed()};
    }
    QList<Event> of(const QString &what) const
    {
        QList<Event> list;
        for (const Event &e : events) {
            if (e.what == what)
                list << e;
        }
        return list;
    }
    void onUdpSocketDidSendData(AsyncUdpSocket *, long tag) override { add(QStringLiteral("sent"), tag); }
    void onUdpSocketDidNotSendData(AsyncUdpSocket *, long tag, const UdpError &e) override
    {
        add(QStringLiteral("notSent"), tag, e);
    }
    bool onUdpSocketDidReceiveData(
        AsyncUdpSocket *, const QByteArray &data, long tag, const QString &host, quint16 port) override
    {
        const bool taken = accept(data);
        add(taken ? QStringLiteral("received") : QStringLiteral("refused"), tag, {}, data, host, port);
        return taken;
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

class TestAsyncUdpSocket : public QObject
{
    Q_OBJECT

private slots:
    void aReceiveTimesOutOnce()
    {
        Recorder events;
        AsyncUdpSocket socket(&events);
        QVERIFY(socket.bindToPort(0));
        QVERIFY(socket.localPort() != 0);
        socket.receiveWithTimeout(200, 7);
        QTest::qWait(500);
        QCOMPARE(events.events.size(), 1);
        const Event &e = events.events.first();
        QCOMPARE(e.what, QStringLiteral("timedOut"));
        QCOMPARE(e.tag, 7L);
        QCOMPARE(e.error, UdpError::socketError(5));
        QCOMPARE(e.error.domain, QStringLiteral("AsyncUdpSocketErrorDomain"));
        QCOMPARE(e.error.description, QStringLiteral("Receive operation timed out"));
        QVERIFY2(e.atMs >= 200, qPrintable(QString::number(e.atMs)));
    }

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

    void aRefusedDatagramKeepsTheReceiveAndItsTimer()
    {
        Pair pair;
        pair.listenerEvents.accept = [](const QByteArray &d) { return d == "take"; };
        pair.listener.receiveWithTimeout(400, 3);
        QVERIFY(pair.send("drop"));
        QTRY_COMPARE(pair.listenerEvents.events.size(), 1);
        QVERIFY(pair.send("take"));
        QTRY_COMPARE(pair.listenerEvents.events.size(), 2);
        const Event &taken = pair.listenerEvents.events[1];
        QCOMPARE(taken.what, QStringLiteral("received"));
        QCOMPARE(taken.tag, 3L);
        QCOMPARE(taken.host, QStringLiteral("127.0.0.1"));
        QCOMPARE(taken.port, pair.sender.localPort());
        // The completed receive's timer is gone.
        QTest::qWait(500);
        QCOMPARE(pair.listenerEvents.events.size(), 2);

        // Refused datagrams do not restart the wait.
        pair.listenerEvents.events.clear();
        pair.listenerEvents.clock.restart();
        pair.listener.receiveWithTimeout(300, 4);
        QTest::qWait(150);
        QVERIFY(pair.send("drop"));
        QTRY_VERIFY(!pair.listenerEvents.of(QStringLiteral("timedOut")).isEmpty());
        QVERIFY(pair.listenerEvents.of(QStringLiteral("timedOut")).first().atMs < 420);
    }

    void sendsReportInOrderAfterTheCall()
    {
        Pair pair;
        pair.listener.receiveWithTimeout(1000, 0);
        QVERIFY(pair.send("one", 1));
        QVERIFY(pair.send("two", 2));
        QVERIFY(pair.senderEvents.events.isEmpty());
        QTRY_COMPARE(pair.senderEvents.events.size(), 2);
        QCOMPARE(pair.senderEvents.events[0].tag, 1L);
        QCOMPARE(pair.senderEvents.events[1].tag, 2L);
        QCOMPARE(pair.senderEvents.events[1].what, QStringLiteral("sent"));
        QTRY_COMPARE(pair.listenerEvents.of(QStringLiteral("received")).size(), 1);
        QCOMPARE(pair.listenerEvents.events.first().data, QByteArray("one"));
    }

    void longDatagramsAreCut()
    {
        Pair pair;
        pair.listener.receiveWithTimeout(1000, 0);
        QVERIFY(pair.send(QByteArray(10000, 'x')));
        QTRY_COMPARE(pair.listenerEvents.of(QStringLiteral("received")).size(), 1);
        QCOMPARE(pair.listenerEvents.events.first().data.size(), AsyncUdpSocket::maxReceiveBufferSize);
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
        QTest::qWait(50);
        QCOMPARE(events.events.size(), 1);
        QCOMPARE(events.events.first().what, QStringLiteral("closed"));
    }

    void bindingRules()
    {
        AsyncUdpSocket socket;
        UdpError error;
        QVERIFY(socket.bindToPort(0, &error));
        QVERIFY(!socket.bindToPort(0, &error));
        QCOMPARE(error.description, QStringLiteral("Cannot bind a socket more than once."));
        AsyncUdpSocket closed;
        closed.close();
        QVERIFY(!closed.bindToPort(0, &error));
        QCOMPARE(error.description, QStringLiteral("The socket is closed."));
        AsyncUdpSocket foreign;
        // 192.0.2.99 is no address of this computer.
        QVERIFY(!foreign.bindToAddress(QStringLiteral("192.0.2.99"), 0, &error));
        QCOMPARE(error, UdpError::socketError(-1));
        QCOMPARE(error.description, QStringLiteral("General CFSocket error"));
        QVERIFY(foreign.enableBroadcast(true, &error));
    }

    void closeDropsPendingWork()
    {
        Pair pair;
        pair.listener.receiveWithTimeout(100, 0);
        pair.listener.receiveWithTimeout(100, 1);
        QVERIFY(pair.send("late"));
        pair.listener.close();
        QVERIFY(pair.listenerEvents.events.isEmpty());
        QTest::qWait(300);
        QCOMPARE(pair.listenerEvents.events.size(), 1);
        QCOMPARE(pair.listenerEvents.events.first().what, QStringLiteral("closed"));
        QVERIFY(pair.listener.isClosed());
    }
};

QTEST_GUILESS_MAIN(TestAsyncUdpSocket)
#include "tst_asyncudpsocket.moc"
