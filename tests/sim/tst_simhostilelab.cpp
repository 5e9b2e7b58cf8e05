// The simulator's hostile peers over real sockets in the network lab: a
// recorder that floods datagrams, answers noise, stalls, resets, streams a huge
// or endless body or refuses everything, and a portal with empty answers.
#include "HttpProbe.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "protocol/LanProtocol.h"

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
constexpr int kHugeMb = 8;
const QString kPassword = QStringLiteral("Recorder9");

// The scenario's recorders, by how they misbehave.
enum Recorder { Flood, Garbage, Stall, Reset, Huge, Endless, Refuses, FailsDisks, Count };

QByteArray basic()
{
    return "Basic " + QByteArray("admin:" + kPassword.toUtf8()).toBase64();
}

// A TLS connection to a recorder, spoken to byte by byte.
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

// curl's exit code and output for a GET of the recorder's date.
QPair<int, QString> curl(const QString &ip, const QStringList &options)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("curl"),
        QStringList {QStringLiteral("-k"), QStringLiteral("-sS"), QStringLiteral("--max-time"), QStringLiteral("10"),
            QStringLiteral("-u"), QStringLiteral("admin:") + kPassword}
            + options + QStringList {QStringLiteral("https://%1/config/datetime").arg(ip)});
    if (!process.waitForFinished(15000))
        return {-1, QStringLiteral("curl did not end")};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

} // namespace

class TestSimHostileLab : public QObject
{
    Q_OBJECT

private:
    SimProcess m_sim;
    QList<QJsonObject> m_recorders;

    QString ipOf(Recorder r) const { return SimProcess::ipOf(m_recorders.at(r)); }
    QUrl url(Recorder r, const char *path) const
    {
        return QUrl(QStringLiteral("https://%1%2").arg(ipOf(r), QLatin1String(path)));
    }
    HttpAnswer get(Recorder r, const char *path) const
    {
        return HttpProbe::get(url(r, path), QStringLiteral("admin:") + kPassword);
    }

    // The last "http" log line of a request to the recorder with this path.
    SimLogLine httpLine(Recorder r, const char *path) const
    {
        SimLogLine found;
        for (const SimLogLine &line : m_sim.log(QStringLiteral("http"))) {
            if (line.value("host") == ipOf(r) && line.value("path") == QLatin1String(path))
                found = line;
        }
        return found;
    }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        const QList<QJsonObject> misbehaviours {{{QStringLiteral("flood"), kFlood}},
            {{QStringLiteral("webGarbage"), true}}, {{QStringLiteral("webStall"), true}},
            {{QStringLiteral("webReset"), true}}, {{QStringLiteral("webHugeMb"), kHugeMb}},
            {{QStringLiteral("webEndless"), true}}, {{QStringLiteral("webStatus"), 401}},
            {{QStringLiteral("webStatus"), 500},
                {QStringLiteral("webPaths"), QJsonArray {QStringLiteral("/config/storageinfo")}}}};
        for (int r = 0; r < Count; ++r) {
            QJsonObject recorder = SimProcess::configured(r, kPassword);
            recorder.insert(QStringLiteral("misbehave"), misbehaviours.at(r));
            m_recorders << recorder;
        }
        QJsonObject scenario = SimProcess::scenario(m_recorders);
        const QJsonObject owner {{QStringLiteral("email"), QStringLiteral("owner@example.com")},
            {QStringLiteral("password"), QStringLiteral("cloud-pw1")}, {QStringLiteral("key"), QStringLiteral("k")}};
        scenario.insert(QStringLiteral("portal"),
            QJsonObject {{QStringLiteral("emptyBody"), true}, {QStringLiteral("accounts"), QJsonArray {owner}}});
        QString error;
        QVERIFY2(m_sim.start(scenario, &error), qPrintable(error));
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
        const SimLogLine flood = m_sim.log(QStringLiteral("flood")).value(0);
        QCOMPARE(flood.value("sent"), QString::number(kFlood));
        QCOMPARE(flood.value("recorder"), SimProcess::macOf(m_recorders.at(Flood)));
    }

    void garbageInsteadOfHttp()
    {
        RawTls raw;
        QVERIFY(raw.get(ipOf(Garbage), "/config/datetime"));
        QVERIFY(raw.readUntil([&] { return raw.closed(); }));
        QVERIFY(!raw.received.isEmpty());
        QVERIFY(!raw.received.startsWith("HTTP/"));
    }

    void aStallMidAnswerHoldsTheConnection()
    {
        RawTls raw;
        QVERIFY(raw.get(ipOf(Stall), "/config/datetime"));
        QVERIFY(raw.readUntil([&] { return raw.received.contains("\r\n\r\n"); }));
        // Once a later client has its whole answer, the stalled one has had its chance.
        QCOMPARE(get(FailsDisks, "/config/datetime").status, 200);
        raw.received += raw.socket.readAll();
        const qsizetype headEnd = raw.received.indexOf("\r\n\r\n") + 4;
        const QByteArray head = raw.received.left(headEnd);
        QVERIFY2(head.startsWith("HTTP/1.1 200"), head.constData());
        const qsizetype length = head.mid(head.indexOf("Content-Length: ") + 16).split('\r').first().toLongLong();
        QVERIFY(length > 0);
        QCOMPARE(raw.received.size() - headEnd, length / 2);
        QVERIFY(!raw.closed());
        QCOMPARE(httpLine(Stall, "/config/datetime").value("hostile"), QStringLiteral("stall"));
    }

    void aResetInsteadOfAnAnswer()
    {
        const auto [code, output] = curl(ipOf(Reset), {});
        // 56: a failure receiving data; an orderly close would be 52, "empty reply".
        QCOMPARE(code, 56);
        QVERIFY2(output.contains(QStringLiteral("reset"), Qt::CaseInsensitive), qPrintable(output));
    }

    void aHugeBody()
    {
        const auto [code, output] = curl(ipOf(Huge),
            {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-w"),
                QStringLiteral("%{http_code} %{size_download}")});
        QCOMPARE(code, 0);
        QCOMPARE(output, QStringLiteral("200 %1").arg(qint64(kHugeMb) << 20));
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
            return total > (qint64(kHugeMb) << 20);
        }));
        QVERIFY2(head.contains("Transfer-Encoding: chunked"), head.constData());
        QVERIFY(!head.contains("Content-Length"));
        raw.socket.abort();
        // The simulator lets go of the stream and serves others.
        QCOMPARE(get(FailsDisks, "/config/datetime").status, 200);
    }

    void everythingRefused()
    {
        for (const char *path : {"/config/datetime", "/config/factory"}) {
            const HttpAnswer answer = get(Refuses, path);
            QCOMPARE(answer.status, 401);
            QVERIFY(answer.authenticate.startsWith("Basic"));
        }
        // The refused reset never ran.
        QCOMPARE(m_sim.passwordOf(SimProcess::macOf(m_recorders.at(Refuses))), kPassword);
        QCOMPARE(m_sim.log(QStringLiteral("reset")).size(), 0);
    }

    void failuresOnTheListedPathsOnly()
    {
        QCOMPARE(get(FailsDisks, "/config/storageinfo?storageid=0").status, 500);
        QCOMPARE(get(FailsDisks, "/config/datetime").status, 200);
        QCOMPARE(httpLine(FailsDisks, "/config/storageinfo").value("hostile"), QStringLiteral("status"));
        QCOMPARE(httpLine(FailsDisks, "/config/datetime").value("hostile"), QString());
    }

    void aPortalWithEmptyAnswers()
    {
        const QUrl portal(QStringLiteral("https://%1/account/?signin").arg(LabEnv::fromEnvironment().portalIp));
        const HttpAnswer answer
            = HttpProbe::post(portal, "action=sign-in&email=owner%40example.com&password=cloud-pw1&remember=0");
        QCOMPARE(answer.status, 200);
        QVERIFY(answer.body.isEmpty());
        QCOMPARE(m_sim.log(QStringLiteral("form")).last().value("answer"), QString());
    }
};

QTEST_GUILESS_MAIN(TestSimHostileLab)
#include "tst_simhostilelab.moc"
