#include "protocol/LandapConfig.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/LanProtocol.h"
#include "protocol/LandapConfigDelegate.h"
#include "protocol/LandapRequest.h"
#include "util/UdpError.h"

#include <QTimer>

namespace {

const char *const kVerifyName = "-[LandapConfig verifyUser:AndPassword:]";
const char *const kChangeName = "-[LandapConfig changeUser:OldPassword:NewName:NewPassword:]";

QString refusalText(LandapConfigError code)
{
    switch (code) {
    case LandapConfigTextTooLong:
        return QStringLiteral("A user name or password is longer than %1 UTF-8 bytes").arg(kMaxTextUtf8Bytes);
    case LandapConfigNoTarget:
        return QStringLiteral("No target device");
    case LandapConfigNotOpen:
        return QStringLiteral("The configurator is not open");
    }
    return QString();
}

} // namespace

LandapConfig::LandapConfig(LandapConfigDelegate *delegate, Ipv4InterfaceLister interfaces)
    : theDelegate(delegate)
    , m_interfaces(std::move(interfaces))
{
}

LandapConfig::~LandapConfig()
{
    if (socket)
        socket->setDelegate(nullptr);
}

void LandapConfig::open(const TVexorReply *target)
{
    if (target)
        destDevice = *target;
    socket.reset(new AsyncUdpSocket(this));
    // Bind and broadcast failures end the exchange by timeout or send error.
    socket->bindToPort(0);
    socket->enableBroadcast(true);
    socket->receiveWithTimeout(durations().lanReplyMs, 0);
}

void LandapConfig::close()
{
    if (socket)
        socket->close();
}

void LandapConfig::verifyUser(const QString &user, const QString &password)
{
    combineOpCode = 0;
    if (refuseBeforeSending(OP_USER_VERIFY, {user, password}))
        return;
    sendRequest(LandapRequest::userVerify(*destDevice, user, password), kVerifyName);
}

void LandapConfig::changeUser(
    const QString &user, const QString &oldPassword, const QString &newName, const QString &newPassword)
{
    combineOpCode = 0;
    if (refuseBeforeSending(OP_USER_CHANGE, {user, oldPassword, newName, newPassword}))
        return;
    sendChange(user, oldPassword, newName, newPassword);
}

void LandapConfig::verifyUser(
    const QString &user, const QString &password, const QString &newUser, const QString &newPassword)
{
    combineOpCode = 0;
    if (refuseBeforeSending(OP_USER_VERIFY, {user, password, newUser, newPassword}))
        return;
    tempBuffer = {user, password, newUser, newPassword};
    combineOpCode = OP_USER_CHANGE;
    sendRequest(LandapRequest::userVerify(*destDevice, user, password), kVerifyName);
}

void LandapConfig::sendChange(
    const QString &user, const QString &oldPassword, const QString &newName, const QString &newPassword)
{
    sendRequest(LandapRequest::userChange(*destDevice, user, oldPassword, newName, newPassword), kChangeName);
}

bool LandapConfig::refuseBeforeSending(uint16_t opcode, const QStringList &texts)
{
    m_opCode = opcode;
    m_awaitingEnd = true;
    if (!socket || socket->isClosed()) {
        refuseLater(opcode, LandapConfigNotOpen);
        return true;
    }
    if (!destDevice) {
        refuseLater(opcode, LandapConfigNoTarget);
        return true;
    }
    for (const QString &text : texts) {
        if (!LandapRequest::fitsSlot(text)) {
            refuseLater(opcode, LandapConfigTextTooLong);
            return true;
        }
    }
    return false;
}

void LandapConfig::refuseLater(uint16_t opcode, LandapConfigError code)
{
    Log::line(QStringLiteral("LandapConfig: command %1 refused: %2").arg(opcode).arg(refusalText(code)));
    m_retCode = -1;
    // Nothing was sent: the exchange must not end by a reply or a timeout.
    if (socket)
        socket->close();
    const UdpError error {kLandapConfigErrorDomain, code, refusalText(code)};
    QTimer::singleShot(0, this, [this, error] { report(error); });
}

void LandapConfig::sendRequest(const QByteArray &request, const char *commandName)
{
    getIPAddress();
    for (const QString &address : std::as_const(m_broadcastAddresses)) {
        Log::format("%s broadcast address=%s", commandName, qPrintable(address));
        socket->sendData(request, address, LAN_PORT, durations().lanReplyMs, 0);
    }
}

QString LandapConfig::getIPAddress()
{
    static const char *const name = "-[LandapConfig getIPAddress]";
    QString last = QStringLiteral("error");
    m_broadcastAddresses.clear();
    for (const Ipv4Interface &entry : m_interfaces()) {
        last = entry.address;
        Log::format("%s interface name=%s", name, qPrintable(entry.name));
        Log::format("%s broadcast address=%s", name, qPrintable(entry.broadcast));
        if (!entry.broadcast.isEmpty() && entry.broadcast != QLatin1String("127.0.0.1")
            && !m_broadcastAddresses.contains(entry.broadcast))
            m_broadcastAddresses << entry.broadcast;
    }
    return last;
}

int LandapConfig::retCodeFromBuffer() const
{
    return rxBuffer.size() >= kMinReplySize ? int(datagramStatus(rxBuffer)) : -1;
}

void LandapConfig::onUdpSocketDidSendData(AsyncUdpSocket *, long tag)
{
    Log::format("Message send success, tag = %ld!", tag);
    rxBuffer.clear();
}

void LandapConfig::onUdpSocketDidNotSendData(AsyncUdpSocket *sock, long, const UdpError &error)
{
    if (sock != socket.get())
        return;
    Log::line(QStringLiteral("Message not send for error: %1").arg(error.toString()));
    m_retCode = -1;
    report(error);
}

bool LandapConfig::onUdpSocketDidReceiveData(
    AsyncUdpSocket *sock, const QByteArray &data, long, const QString &host, quint16 port)
{
    Log::format("host %s:%d, data length=%ld", qPrintable(host), int(port), long(data.size()));
    const std::optional<int> result = replyResultCode(data, uint16_t(m_opCode));
    if (sock != socket.get() || !m_awaitingEnd || !result)
        return false;
    rxBuffer = data;
    m_retCode = *result;
    if (m_retCode == 0 && combineOpCode == OP_USER_CHANGE) {
        combineOpCode = 0;
        const QStringList texts = tempBuffer;
        close();
        open();
        m_opCode = OP_USER_CHANGE;
        sendChange(texts[0], texts[1], texts[2], texts[3]);
        return true;
    }
    report(UdpError::posixCode5());
    return true;
}

void LandapConfig::onUdpSocketDidNotReceiveData(AsyncUdpSocket *sock, long, const UdpError &error)
{
    if (sock != socket.get())
        return;
    m_retCode = retCodeFromBuffer();
    report(error);
}

void LandapConfig::onUdpSocketDidClose(AsyncUdpSocket *)
{
    Log::line(QStringLiteral("socket closed!"));
    rxBuffer.clear();
}

void LandapConfig::report(const UdpError &error)
{
    // Exactly one end per command, however many requests went out.
    if (!m_awaitingEnd)
        return;
    m_awaitingEnd = false;
    combineOpCode = 0;
    if (theDelegate)
        theDelegate->onLandapConfigEnd(this, m_opCode, m_retCode, error);
}
