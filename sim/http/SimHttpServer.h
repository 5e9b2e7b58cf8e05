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
    // How a slow or dead peer delivers it: this much later, or never (the
    // connection stays open and everything else it sends is ignored).
    int delayMs = 0;
    bool never = false;

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
    };

    void accept(QTcpServer *server);
    void onReadable(QTcpSocket *socket);
    void deliver(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive);
    void send(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive);

    std::optional<QSslConfiguration> m_tls;
    Handler m_handler;
    QList<QTcpServer *> m_servers;
    std::map<QTcpSocket *, Connection> m_connections;
};
