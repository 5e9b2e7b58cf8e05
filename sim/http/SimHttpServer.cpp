#include "sim/http/SimHttpServer.h"

#include <QSslServer>
#include <QTimer>

namespace {

constexpr int kHandshakeTimeoutMs = 10000;
// What a client may send ahead while its previous request is still answered.
constexpr qsizetype kMaxQueuedBytes = SimHttpParser::kMaxHeaderBytes + SimHttpParser::kMaxBodyBytes;

} // namespace

QByteArray SimHttpResponse::reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Payload Too Large";
    case 431:
        return "Request Header Fields Too Large";
    case 501:
        return "Not Implemented";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

SimHttpResponse SimHttpResponse::text(int status, const QByteArray &body)
{
    SimHttpResponse response;
    response.status = status;
    response.body = body;
    return response;
}

SimHttpResponse SimHttpResponse::errorPage(int status)
{
    const QByteArray line = QByteArray::number(status) + ' ' + reason(status);
    SimHttpResponse response;
    response.status = status;
    response.contentType = "text/html";
    response.body = "<html><head><title>" + line + "</title></head><body><h1>" + line + "</h1></body></html>\r\n";
    return response;
}

SimHttpServer::SimHttpServer(QSslConfiguration tls, Handler handler)
    : m_tls(std::move(tls))
    , m_handler(std::move(handler))
{
}

SimHttpServer::SimHttpServer(Handler handler)
    : m_handler(std::move(handler))
{
}

SimHttpServer::~SimHttpServer()
{
    // Sockets die with their servers after this object's members are gone.
    for (const auto &connection : m_connections)
        connection.first->disconnect(this);
}

bool SimHttpServer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    QTcpServer *server = nullptr;
    if (m_tls) {
        auto *tlsServer = new QSslServer(this);
        tlsServer->setSslConfiguration(*m_tls);
        tlsServer->setHandshakeTimeout(kHandshakeTimeoutMs);
        server = tlsServer;
    } else {
        server = new QTcpServer(this);
    }
    if (!server->listen(address, port)) {
        *error = QStringLiteral("%1:%2: %3").arg(address.toString()).arg(port).arg(server->errorString());
        delete server;
        return false;
    }
    connect(server, &QTcpServer::pendingConnectionAvailable, this, [this, server] { accept(server); });
    m_servers << server;
    return true;
}

quint16 SimHttpServer::lastPort() const
{
    return m_servers.isEmpty() ? 0 : m_servers.last()->serverPort();
}

void SimHttpServer::accept(QTcpServer *server)
{
    while (server->hasPendingConnections()) {
        QTcpSocket *socket = server->nextPendingConnection();
        if (!socket)
            continue;
        m_connections[socket];
        connect(socket, &QIODevice::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, socket] {
            m_connections.erase(socket);
            socket->deleteLater();
        });
        onReadable(socket);
    }
}

void SimHttpServer::onReadable(QTcpSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    Connection &connection = found->second;
    if (connection.mute) {
        socket->readAll();
        return;
    }
    connection.buffer += socket->readAll();
    if (connection.answering) {
        if (connection.buffer.size() > kMaxQueuedBytes) {
            m_connections.erase(found);
            socket->abort();
        }
        return;
    }
    for (;;) {
        SimHttpRequest request;
        const SimHttpParser::Result result = connection.parser.take(connection.buffer, &request);
        if (result == SimHttpParser::Result::NeedMore)
            return;
        if (result == SimHttpParser::Result::Bad) {
            send(socket, SimHttpResponse::errorPage(connection.parser.errorStatus()), false);
            return;
        }
        const bool keepAlive = request.keepAlive();
        const SimHttpResponse response = m_handler(request, socket->localAddress());
        if (response.never || response.delayMs > 0) {
            deliver(socket, response, keepAlive);
            return;
        }
        send(socket, response, keepAlive);
        if (!keepAlive)
            return;
    }
}

void SimHttpServer::deliver(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive)
{
    Connection &connection = m_connections[socket];
    if (response.never) {
        connection.mute = true;
        connection.buffer.clear();
        return;
    }
    connection.answering = true;
    // The socket as context: a client that gives up takes the timer with it.
    QTimer::singleShot(response.delayMs, socket, [this, socket, response, keepAlive] {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end())
            return;
        found->second.answering = false;
        send(socket, response, keepAlive);
        if (keepAlive)
            onReadable(socket);
    });
}

void SimHttpServer::send(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + SimHttpResponse::reason(response.status)
        + "\r\nContent-Type: " + response.contentType + "\r\nContent-Length: "
        + QByteArray::number(response.body.size()) + "\r\nConnection: " + (keepAlive ? "keep-alive" : "close") + "\r\n";
    for (const auto &header : response.headers)
        head += header.first + ": " + header.second + "\r\n";
    socket->write(head + "\r\n" + response.body);
    if (!keepAlive) {
        m_connections.erase(socket);
        socket->disconnectFromHost();
    }
}
