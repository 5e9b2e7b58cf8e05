#pragma once

#include "sim/http/SimHttpRequest.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSslConfiguration>

#include <functional>
#include <map>
#include <memory>

class QSslServer;
class QSslSocket;

struct SimHttpResponse
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/plain";
    QList<QPair<QByteArray, QByteArray>> headers;

    static SimHttpResponse text(int status, const QByteArray &body);
    // A short HTML error page whose text carries the status line, as embedded
    // web servers send them.
    static SimHttpResponse errorPage(int status);
    static QByteArray reason(int status);
};

// HTTPS/1.1 with keep-alive on one or more addresses, each request answered
// by the handler on the event loop. Broken requests get an error page and the
// connection is closed; nothing a client sends can stop the server.
class SimHttpServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<SimHttpResponse(const SimHttpRequest &, const QHostAddress &local)>;

    SimHttpServer(QSslConfiguration tls, Handler handler);
    ~SimHttpServer() override;

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    // The port of the last listen (useful after asking for port 0).
    quint16 lastPort() const;

private:
    struct Connection
    {
        QByteArray buffer;
        SimHttpParser parser;
    };

    void accept(QSslServer *server);
    void onReadable(QSslSocket *socket);
    void send(QSslSocket *socket, const SimHttpResponse &response, bool keepAlive);

    QSslConfiguration m_tls;
    Handler m_handler;
    QList<QSslServer *> m_servers;
    std::map<QSslSocket *, Connection> m_connections;
};
