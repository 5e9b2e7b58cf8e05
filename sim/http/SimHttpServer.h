#pragma once

#include "sim/http/SimHttpRequest.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSslConfiguration>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QTcpServer;
class QTcpSocket;

struct SimHttpResponse
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/plain";
    QList<QPair<QByteArray, QByteArray>> headers;

    // How a slow, dead or hostile peer delivers it.
    struct Delivery
    {
        int delayMs = 0; // the answer leaves this much later
        bool never = false; // no answer; the connection stays open, later requests are ignored
        bool reset = false; // the connection is reset instead
        bool raw = false; // the body alone, no status line or headers, then the connection closes
        bool stall = false; // the head and half the body, then nothing more on an open connection
        qint64 streamBytes = 0; // a filler body of this size follows the head instead of body
        bool chunked = false; // the filler in chunks, its length never given
    };
    Delivery delivery;

    static SimHttpResponse text(int status, const QByteArray &body);
    // A short HTML error page whose text carries the status line, as embedded
    // web servers send them.
    static SimHttpResponse errorPage(int status);
    static QByteArray reason(int status);
};

// HTTP/1.1 with keep-alive, over TLS or plain, on one or more addresses, each
// request answered by the handler on the event loop, one at a time per
// connection. Broken requests get an error page and the connection is closed;
// nothing a client sends can stop the server.
class SimHttpServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<SimHttpResponse(const SimHttpRequest &, const QHostAddress &local)>;

    SimHttpServer(QSslConfiguration tls, Handler handler);
    // Plain HTTP, as cameras serve it.
    explicit SimHttpServer(Handler handler);
    ~SimHttpServer() override;

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    // The port of the last listen (useful after asking for port 0).
    quint16 lastPort() const;

private:
    struct Connection
    {
        QByteArray buffer;
        SimHttpParser parser;
        bool answering = false; // a delayed answer is on its way; later requests wait
        bool mute = false; // never answers again
        qint64 streamLeft = 0; // filler still to send
        bool chunked = false;
        bool pumping = false; // a write that reports progress at once must not pump twice
    };

    void accept(QTcpServer *server);
    void onReadable(QTcpSocket *socket);
    void respondLater(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive);
    // Sends the answer as its delivery says; true when the connection reads on.
    bool respond(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive);
    static QByteArray head(const SimHttpResponse &response, bool keepAlive);
    // Writes filler while the socket's queue is short, so an endless body
    // costs the simulator no memory; closes the connection at its end.
    void pump(QTcpSocket *socket);
    void close(QTcpSocket *socket);

    std::optional<QSslConfiguration> m_tls;
    Handler m_handler;
    QList<QTcpServer *> m_servers;
    std::map<QTcpSocket *, Connection> m_connections;
};
