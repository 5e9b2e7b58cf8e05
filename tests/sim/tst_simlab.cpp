// What the lab tests rely on without seeing it: the simulator refuses a broken
// scenario file, and its hostile peers misbehave as their names say over real
// sockets in the network lab (a flood of datagrams that really arrives, a stall
// that holds the connection open, a reset that is no orderly close, a body
// that never ends). Were one of these to answer normally, the hostile tests
// of the setup would pass without testing anything.
#include "LabEnv.h"
#include "SimProcess.h"
#include "protocol/LanProtocol.h"
#include "sim/core/SimScenario.h"

#include <QJsonArray>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSslSocket>
#include <QUdpSocket>
#include <QtTest>

#include <sys/socket.h>

namespace {

constexpr int kWaitMs = 5000;
constexpr int kFlood = 300;
constexpr qint64 kEndlessBeyond = 8 << 20;
const QString kPassword = QStringLiteral("Recorder9");

enum Recorder { Flood, Stall, Reset, Endless, Plain, Count };

QByteArray basic()
{
    return "Basic " + QByteArray("admin:" + kPassword.toUtf8()).toBase64();
}

struct RawTls
{
    QSslSocket socket;
    QByteArray received;

    bool get(const QString &ip, const QByteArray &path)
    {
        socket.setPeerVerifyMode(QSslSocket::VerifyNone);
        socket.connectToHostEncrypted(ip, 443);
        if (!QTest::qWaitFor([&] { return socket.isEncrypted(); }, kWaitMs))
            return false;
        socket.write("GET " + path + " HTTP/1.1\r\nHost: recorder\r\nAuthorization: " + basic() + "\r\n\r\n");
        return true;
    }
    bool readUntil(const std::function<bool()> &done)
    {
        return QTest::qWaitFor(
            [&] {
                received += socket.readAll();
                return done();
            },
            kWaitMs);
    }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }
};

// curl's exit code and what it printed; with status, only the answer's HTTP status.
QPair<int, QString> curl(const QString &ip, bool status = false)
{
    QStringList args {
        "-k", "-sS", "--max-time", "10", "-u", "admin:" + kPassword, "https://" + ip + "/config/datetime"};
    if (status)
        args << "-o"
             << "/dev/null"
             << "-w"
             << "%{http_code}";
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("curl"), args);
    if (!process.waitForFinished(15000))
        return {-1, QStringLiteral("curl did not end")};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

} // namespace

class TestSimLab : public QObject
{
    Q_OBJECT

private:
    SimProcess m_sim;
    QList<QJsonObject> m_recorders;

    QString ipOf(Recorder r) const { return SimProcess::ipOf(m_recorders.at(r)); }
    QString plainStatus() const { return curl(ipOf(Plain), true).second; }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        const QList<QJsonObject> misbehaviours {{{QStringLiteral("flood"), kFlood}},
            {{QStringLiteral("webStall"), true}}, {{QStringLiteral("webReset"), true}},
            {{QStringLiteral("webEndless"), true}}, {}};
        for (int r = 0; r < Count; ++r) {
            QJsonObject recorder = SimProcess::configured(r, kPassword);
            recorder.insert(QStringLiteral("misbehave"), misbehaviours.at(r));
            m_recorders << recorder;
        }
        QString error;
        QVERIFY2(m_sim.start(SimProcess::scenario(m_recorders), &error), qPrintable(error));
    }

    void badScenarios_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("not JSON") << QByteArray("{") << QStringLiteral("not a JSON object");
        QTest::newRow("bad MAC") << QByteArray(R"({"recorders":[{"mac":"00:1c:27","ip":"192.0.2.10"}]})")
                                 << QStringLiteral("recorder 0: \"mac\"");
        QTest::newRow("no address") << QByteArray(R"({"recorders":[{"mac":"00:1c:27:00:00:01"}]})")
                                    << QStringLiteral("recorder 0: \"ip\"");
        QTest::newRow("bad mask") << QByteArray(
            R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10"},{"mac":"00:1c:27:00:00:02","ip":"192.0.2.11","mask":"255.255"}]})")
                                  << QStringLiteral("recorder 1: \"mask\"");
        QTest::newRow("negative delay") << QByteArray(
            R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10","misbehave":{"delayMs":-5}}]})")
                                        << QStringLiteral("\"delayMs\"");
        const auto web = [](const char *keys) {
            return QByteArray(R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10",)") + keys + "}]}";
        };
        QTest::newRow("three bays") << web(R"("disks":[{},{},{}])") << QStringLiteral("\"disks\"");
        QTest::newRow("partition state") << web(R"("disks":[{"device":"sda","partitions":[{"status":12}]}])")
                                         << QStringLiteral("\"status\"");
        QTest::newRow("format never ends") << web(R"("formatSteps":[35,80])") << QStringLiteral("\"formatSteps\"");
        QTest::newRow("format in bay 5") << web(R"("formatting":{"bay":5})") << QStringLiteral("\"formatting\"");
        QTest::newRow("zone 0") << web(R"("timeZone":0)") << QStringLiteral("\"timeZone\"");
        QTest::newRow("web status") << QByteArray(
            R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10","misbehave":{"webStatus":42}}]})")
                                    << QStringLiteral("\"webStatus\" is not an HTTP status");
        QTest::newRow("camera delay") << web(R"("cameras":[{"ip":"192.0.2.100","delayMs":-1}])")
                                      << QStringLiteral("\"delayMs\" of camera 192.0.2.100");
        QTest::newRow("nameless account") << QByteArray(R"({"recorders":[],"portal":{"accounts":[{"password":"x"}]}})")
                                          << QStringLiteral("\"email\"");
    }
    void badScenarios()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        SimScenario scenario;
        scenario.recorders << SimRecorder();
        QString error;
        QVERIFY(!SimScenario::fromJson(json, &scenario, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(scenario.recorders.size(), 1);
    }

    void aFloodOfNoiseFollowsEveryAnswer()
    {
        QUdpSocket udp;
        QVERIFY(udp.bind(QHostAddress::AnyIPv4, 0));
        // Room for the whole flood, so that none of it is dropped before it is read.
        const int room = 8 << 20;
        QCOMPARE(::setsockopt(int(udp.socketDescriptor()), SOL_SOCKET, SO_RCVBUFFORCE, &room, sizeof room), 0);
        QCOMPARE(udp.writeDatagram(searchRequest(), QHostAddress(ipOf(Flood)), LAN_PORT), qint64(kCmdHeadSize));
        int replies = 0;
        int noise = 0;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         while (udp.hasPendingDatagrams()) {
                             const QByteArray d = udp.receiveDatagram().data();
                             uint16_t opcode = 0;
                             if (d.size() == kVexorReplySize && datagramOpcode(d, &opcode) && opcode == OP_SEARCH)
                                 ++replies;
                             // Noise of every size, none that could pass for an answer.
                             else if (d.size() < 6 || (d.at(4) == char(0xEE) && d.at(5) == char(0xEE)))
                                 ++noise;
                         }
                         return replies == Count && noise == kFlood;
                     },
                     kWaitMs),
            qPrintable(QStringLiteral("%1 replies, %2 of noise").arg(replies).arg(noise)));
    }

    void aStallMidAnswerHoldsTheConnection()
    {
        RawTls raw;
        QVERIFY(raw.get(ipOf(Stall), "/config/datetime"));
        QVERIFY(raw.readUntil([&] { return raw.received.contains("\r\n\r\n"); }));
        // Once a later client has its whole answer, the stalled one has had its chance.
        QCOMPARE(plainStatus(), QStringLiteral("200"));
        raw.received += raw.socket.readAll();
        const qsizetype headEnd = raw.received.indexOf("\r\n\r\n") + 4;
        const QByteArray head = raw.received.left(headEnd);
        QVERIFY2(head.startsWith("HTTP/1.1 200"), head.constData());
        const qsizetype length = head.mid(head.indexOf("Content-Length: ") + 16).split('\r').first().toLongLong();
        QVERIFY(length > 0);
        QCOMPARE(raw.received.size() - headEnd, length / 2);
        QVERIFY(!raw.closed());
    }

    void aResetInsteadOfAnAnswer()
    {
        const auto [code, output] = curl(ipOf(Reset));
        // 56: a failure receiving data; an orderly close would be 52, "empty reply".
        QCOMPARE(code, 56);
        QVERIFY2(output.contains(QStringLiteral("reset"), Qt::CaseInsensitive), qPrintable(output));
    }

    void anEndlessChunkedBody()
    {
        RawTls raw;
        QVERIFY(raw.get(ipOf(Endless), "/config/datetime"));
        qint64 total = 0;
        QByteArray head;
        QVERIFY(raw.readUntil([&] {
            if (head.isEmpty() && raw.received.contains("\r\n\r\n"))
                head = raw.received.left(raw.received.indexOf("\r\n\r\n"));
            total += raw.received.size();
            raw.received.clear();
            return total > kEndlessBeyond;
        }));
        QVERIFY2(head.contains("Transfer-Encoding: chunked"), head.constData());
        QVERIFY(!head.contains("Content-Length"));
        raw.socket.abort();
        // The simulator lets go of the stream and serves others.
        QCOMPARE(plainStatus(), QStringLiteral("200"));
    }
};

QTEST_GUILESS_MAIN(TestSimLab)
#include "tst_simlab.moc"
