#include "sim/http/SimHttpServer.h"

#include <QSslServer>
#include <QSslSocket>
#include <QTimer>

#include <sys/socket.h>

namespace {

constexpr int kHandshakeTimeoutMs = 10000;
// What a client may send ahead while its previous request is still answered.
constexpr qsizetype kMaxQueuedBytes = SimHttpParser::kMaxHeaderBytes + SimHttpParser::kMaxBodyBytes;
// How much of a streamed body may wait in a socket's queue.
constexpr qint64 kStreamWindowBytes = 256 * 1024;

// 64 KiB of "key=value" lines, as a recorder's answers look.
const QByteArray &fillerBlock()
{
    static const QByteArray block = [] {
        QByteArray line = "filler=" + QByteArray(55, 'x') + "\r\n";
        return line.repeated(1024);
    }();
    return block;
}

qint64 queuedBytes(QTcpSocket *socket)
{
    const auto *tls = qobject_cast<QSslSocket *>(socket);
    return socket->bytesToWrite() + (tls ? tls->encryptedBytesToWrite() : 0);
}

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
    case 500:
        return "Internal Server Error";
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
        connect(socket, &QIODevice::bytesWritten, this, [this, socket] { pump(socket); });
        // Over TLS the queue empties when the encrypted bytes leave.
        if (auto *tls = qobject_cast<QSslSocket *>(socket))
            connect(tls, &QSslSocket::encryptedBytesWritten, this, [this, socket] { pump(socket); });
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
            respond(socket, SimHttpResponse::errorPage(connection.parser.errorStatus()), false);
            return;
        }
        const bool keepAlive = request.keepAlive();
        const SimHttpResponse response = m_handler(request, socket->localAddress());
        if (response.delivery.delayMs > 0) {
            respondLater(socket, response, keepAlive);
            return;
        }
        if (!respond(socket, response, keepAlive))
            return;
    }
}

void SimHttpServer::respondLater(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive)
{
    m_connections[socket].answering = true;
    // The socket as context: a client that gives up takes the timer with it.
    QTimer::singleShot(response.delivery.delayMs, socket, [this, socket, response, keepAlive] {
        const auto found = m_connections.find(socket);
        if (found == m_connections.end())
            return;
        found->second.answering = false;
        if (respond(socket, response, keepAlive))
            onReadable(socket);
    });
}

bool SimHttpServer::respond(QTcpSocket *socket, const SimHttpResponse &response, bool keepAlive)
{
    const SimHttpResponse::Delivery &how = response.delivery;
    Connection &connection = m_connections[socket];
    if (how.reset) {
        // No lingering: the close sends a reset rather than an orderly end.
        const linger hard {1, 0};
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        m_connections.erase(socket);
        socket->abort();
        return false;
    }
    if (how.raw) {
        socket->write(response.body);
        close(socket);
        return false;
    }
    if (how.never || how.stall || how.streamBytes > 0) {
        connection.mute = true;
        connection.buffer.clear();
    }
    if (how.never)
        return false;
    if (how.stall) {
        socket->write(head(response, true) + response.body.left(response.body.size() / 2));
        return false;
    }
    if (how.streamBytes > 0) {
        connection.streamLeft = how.streamBytes;
        connection.chunked = how.chunked;
        socket->write(head(response, false));
        pump(socket);
        return false;
    }
    socket->write(head(response, keepAlive) + response.body);
    if (!keepAlive)
        close(socket);
    return keepAlive;
}

QByteArray SimHttpServer::head(const SimHttpResponse &response, bool keepAlive)
{
    const SimHttpResponse::Delivery &how = response.delivery;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + SimHttpResponse::reason(response.status)
        + "\r\nContent-Type: " + response.contentType + "\r\n";
    if (how.streamBytes > 0 && how.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: " + QByteArray::number(how.streamBytes > 0 ? how.streamBytes : response.body.size())
            + "\r\n";
    head += QByteArray("Connection: ") + (keepAlive ? "keep-alive" : "close") + "\r\n";
    for (const auto &header : response.headers)
        head += header.first + ": " + header.second + "\r\n";
    return head + "\r\n";
}

void SimHttpServer::pump(QTcpSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end() || found->second.streamLeft <= 0 || found->second.pumping)
        return;
    Connection &connection = found->second;
    const QByteArray &block = fillerBlock();
    connection.pumping = true;
    while (connection.streamLeft > 0 && queuedBytes(socket) < kStreamWindowBytes) {
        const QByteArray piece = block.left(qMin<qint64>(connection.streamLeft, block.size()));
        socket->write(connection.chunked ? QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n" : piece);
        connection.streamLeft -= piece.size();
    }
    connection.pumping = false;
    if (connection.streamLeft > 0)
        return;
    if (connection.chunked)
        socket->write("0\r\n\r\n");
    close(socket);
}

void SimHttpServer::close(QTcpSocket *socket)
{
    m_connections.erase(socket);
    socket->disconnectFromHost();
}
