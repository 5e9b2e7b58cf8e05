// The simulator's HTTPS server on loopback, spoken to byte by byte: broken
// requests get an error page and the server keeps answering.
#include "sim/http/SimHttpServer.h"
#include "sim/http/SimTlsIdentity.h"

#include <QSslSocket>
#include <QtTest>

namespace {

// Echoes what the server understood, or 400 for a query that does not decode.
SimHttpResponse echo(const SimHttpRequest &request, const QHostAddress &)
{
    SimFormFields fields;
    if (!parseFormFields(request.hasQuery ? request.query : request.body, !request.hasQuery, &fields))
        return SimHttpResponse::errorPage(400);
    QByteArray text = request.method + ' ' + request.path + "\r\n";
    for (const auto &field : fields)
        text += field.first.toUtf8() + '=' + field.second.toUtf8() + "\r\n";
    if (const auto credentials = request.basicCredentials())
        text += "user=" + credentials->first.toUtf8() + "\r\npass=" + credentials->second.toUtf8() + "\r\n";
    return SimHttpResponse::text(200, text);
}

} // namespace

class TestSimHttp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimHttpServer> m_server;
    std::unique_ptr<SimHttpServer> m_plain;

    // Sends raw bytes on a new connection (TLS to m_server, plain to another
    // server) and returns all that comes back until the server closes or goes
    // quiet. Never blocks: the server runs on this thread's event loop.
    QByteArray exchange(const QList<QByteArray> &pieces, SimHttpServer *plain = nullptr)
    {
        QSslSocket socket;
        socket.setPeerVerifyMode(QSslSocket::VerifyNone);
        if (plain) {
            socket.connectToHost(QStringLiteral("127.0.0.1"), plain->lastPort());
            if (!socket.waitForConnected(5000))
                return "no connection: " + socket.errorString().toUtf8();
        } else {
            socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), m_server->lastPort());
            if (!QTest::qWaitFor([&] { return socket.isEncrypted(); }, 5000))
                return "no TLS: " + socket.errorString().toUtf8();
        }
        for (const QByteArray &piece : pieces) {
            socket.write(piece);
            QTest::qWait(20);
        }
        QByteArray answer;
        QDeadlineTimer deadline(3000);
        int quiet = 0;
        while (!deadline.hasExpired() && socket.state() == QAbstractSocket::ConnectedState && quiet < 10) {
            QTest::qWait(30);
            const QByteArray more = socket.readAll();
            answer += more;
            quiet = more.isEmpty() && !answer.isEmpty() ? quiet + 1 : 0;
        }
        return answer + socket.readAll();
    }

private slots:
    void initTestCase()
    {
        QSslConfiguration tls;
        QString error;
        QVERIFY2(makeSelfSignedTls(QStringLiteral("recorder.invalid"), &tls, &error), qPrintable(error));
        m_server = std::make_unique<SimHttpServer>(tls, echo);
        QVERIFY2(m_server->listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
        // Plain HTTP whose "/slow" answers come late and "/dead" answers never come.
        m_plain = std::make_unique<SimHttpServer>([](const SimHttpRequest &request, const QHostAddress &local) {
            SimHttpResponse response = echo(request, local);
            response.delivery.delayMs = request.path == "/slow" ? 150 : 0;
            response.delivery.never = request.path == "/dead";
            return response;
        });
        QVERIFY2(m_plain->listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
    }

    void lateAnswersKeepTheirOrderAndDeadOnesStopTheConnection()
    {
        const QByteArray answer = exchange({"GET /slow HTTP/1.1\r\n\r\nGET /fast HTTP/1.1\r\n\r\n"}, m_plain.get());
        QCOMPARE(answer.count("HTTP/1.1 200 OK"), 2);
        QVERIFY2(answer.indexOf("GET /slow") < answer.indexOf("GET /fast"), answer.constData());
        QTcpSocket dead;
        dead.connectToHost(QStringLiteral("127.0.0.1"), m_plain->lastPort());
        QVERIFY(dead.waitForConnected(5000));
        dead.write("GET /dead HTTP/1.1\r\n\r\nGET /fast HTTP/1.1\r\n\r\n");
        // Once a later client has its answer, the dead connection has had its chance.
        QVERIFY(dead.waitForBytesWritten(5000));
        QVERIFY(exchange({"GET /fast HTTP/1.1\r\n\r\n"}, m_plain.get()).contains("GET /fast"));
        QCOMPARE(dead.bytesAvailable(), 0);
        QCOMPARE(dead.state(), QAbstractSocket::ConnectedState);
    }

    void requestsAreReadAcrossPiecesAndKeptAlive()
    {
        const QByteArray answer = exchange(
            {"GET /config/x?a=1&b=%41%2B+ HTTP/1.1\r\nHost: h\r\nAuthor", "ization: Basic YWRtaW46cDpzcw==\r\n\r\n",
                "POST /signin HTTP/1.1\r\nContent-Length: 17\r\n\r\nname=A+B&x=%0D%0A"});
        QVERIFY2(answer.contains("200 OK"), answer.constData());
        QVERIFY2(answer.contains("GET /config/x\r\na=1\r\nb=A++\r\nuser=admin\r\npass=p:ss\r\n"), answer.constData());
        QVERIFY2(answer.contains("POST /signin\r\nname=A B\r\nx=\r\n\r\n"), answer.constData());
        QCOMPARE(answer.count("HTTP/1.1 200 OK"), 2);
    }

    void brokenRequestsGetAnErrorPage_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<bool>("closes");
        QTest::newRow("bad escape") << QByteArray("GET /config/x?a=%zz HTTP/1.1\r\n\r\n") << QByteArray("400") << false;
        QTest::newRow("cut escape") << QByteArray("GET /config/x?a=% HTTP/1.1\r\n\r\n") << QByteArray("400") << false;
        QTest::newRow("not UTF-8") << QByteArray("GET /config/x?a=%ff HTTP/1.1\r\n\r\n") << QByteArray("400") << false;
        QTest::newRow("no version") << QByteArray("GET /config/x\r\n\r\n") << QByteArray("400") << true;
        QTest::newRow("header without colon")
            << QByteArray("GET / HTTP/1.1\r\nnonsense\r\n\r\n") << QByteArray("400") << true;
        QTest::newRow("bad length") << QByteArray("POST / HTTP/1.1\r\nContent-Length: -5\r\n\r\n") << QByteArray("400")
                                    << true;
        QTest::newRow("huge body") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n")
                                   << QByteArray("413") << true;
        QTest::newRow("chunked") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n")
                                 << QByteArray("501") << true;
        QTest::newRow("endless header") << QByteArray(20000, 'x') << QByteArray("431") << true;
    }

    void brokenRequestsGetAnErrorPage()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        QFETCH(bool, closes);
        const QByteArray answer = exchange({request});
        QVERIFY2(answer.startsWith("HTTP/1.1 " + status), answer.constData());
        // A request that cannot be framed ends its connection; a bad query does not.
        QCOMPARE(answer.contains("Connection: close"), closes);
        // The server is still there for the next client.
        QVERIFY(exchange({"GET /ok HTTP/1.1\r\n\r\n"}).contains("GET /ok"));
    }
};

QTEST_GUILESS_MAIN(TestSimHttp)
#include "tst_simhttp.moc"
