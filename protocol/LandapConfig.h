#pragma once

#include "protocol/TVexorReply.h"
#include "util/AsyncUdpSocket.h"
#include "util/AsyncUdpSocketDelegate.h"
#include "util/NetworkInterfaces.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class LandapConfigDelegate;

// Errors of commands refused before anything was sent. The delegate gets them
// through onLandapConfigEnd with retCode -1 (never code 5, so every caller
// treats them as failures).
inline const QString kLandapConfigErrorDomain = QStringLiteral("LandapConfigErrorDomain");
enum LandapConfigError {
    LandapConfigTextTooLong = 1, // a user name or password has more than 48 UTF-8 bytes
    LandapConfigNoTarget = 2, // open() was never given a target record
    LandapConfigNotOpen = 3, // no open() before the command
};

// Sends one LAN configuration command at a time to one device (a recorder or a
// camera described by a device record), broadcast on every IPv4 interface, and
// reports the device's answer to the delegate.
//
// Calling order: open(target), one command, wait for onLandapConfigEnd, close().
// A new command needs a new open().
class LandapConfig : public QObject, public AsyncUdpSocketDelegate
{
    Q_OBJECT
public:
    explicit LandapConfig(LandapConfigDelegate *delegate, Ipv4InterfaceLister interfaces = systemIpv4Interfaces);
    ~LandapConfig() override;

    // Keeps a copy of the target (nullptr keeps the previous one), opens a new
    // socket on any address and a system-chosen port, and starts the reply wait.
    void open(const TVexorReply *target);
    void open() { open(nullptr); }
    void close();

    // OP_USER_VERIFY.
    void verifyUser(const QString &user, const QString &password);
    // OP_USER_CHANGE.
    void changeUser(
        const QString &user, const QString &oldPassword, const QString &newName, const QString &newPassword);
    // The combined verify-and-change: sends OP_USER_VERIFY with user and
    // password; when that is accepted it sends OP_USER_CHANGE on a fresh
    // socket and reports only the change (opcode 164). A refused verify is
    // reported with opcode 163 and nothing is changed. All four texts are
    // checked before anything is sent.
    void verifyUser(const QString &user, const QString &password, const QString &newUser, const QString &newPassword);

    // Rebuilds the broadcast address set and returns the last IPv4 address
    // found, or "error" when there is none.
    QString getIPAddress();
    QStringList broadcastAddresses() const { return m_broadcastAddresses; }

    int opCode() const { return m_opCode; }
    int retCode() const { return m_retCode; }

    // AsyncUdpSocketDelegate
    void onUdpSocketDidSendData(AsyncUdpSocket *sock, long tag) override;
    void onUdpSocketDidNotSendData(AsyncUdpSocket *sock, long tag, const UdpError &error) override;
    bool onUdpSocketDidReceiveData(
        AsyncUdpSocket *sock, const QByteArray &data, long tag, const QString &host, quint16 port) override;
    void onUdpSocketDidNotReceiveData(AsyncUdpSocket *sock, long tag, const UdpError &error) override;
    void onUdpSocketDidClose(AsyncUdpSocket *sock) override;

private:
    bool refuseBeforeSending(uint16_t opcode, const QStringList &texts);
    void refuseLater(uint16_t opcode, LandapConfigError code);
    void sendRequest(const QByteArray &request, const char *commandName);
    void sendChange(
        const QString &user, const QString &oldPassword, const QString &newName, const QString &newPassword);
    int retCodeFromBuffer() const;
    void report(const UdpError &error);

    LandapConfigDelegate *theDelegate;
    Ipv4InterfaceLister m_interfaces;
    AsyncUdpSocketPtr socket;
    int m_opCode = 0;
    int m_retCode = -1;
    int combineOpCode = 0;
    std::optional<TVexorReply> destDevice;
    QByteArray rxBuffer;
    QStringList tempBuffer;
    QStringList m_broadcastAddresses;
    bool m_awaitingEnd = false; // a command is running and has not been reported yet
};
