#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

// A UDP socket on any address of the simulator's namespace that can answer
// from a chosen local address, so that many simulated recorders share one port.
class SimUdpEndpoint : public QObject
{
    Q_OBJECT
public:
    struct Datagram
    {
        QByteArray data;
        QString fromHost;
        quint16 fromPort = 0;
        QString toAddress; // the destination the sender used (a broadcast or unicast address)
    };
    using Receiver = std::function<void(const Datagram &)>;

    explicit SimUdpEndpoint(Receiver receiver);
    ~SimUdpEndpoint() override;

    bool open(quint16 port, QString *error);
    // Sends from sourceIp when it is a local address; otherwise the kernel picks
    // the source. False with the system's text when the datagram was not sent.
    bool send(const QByteArray &data, const QString &toHost, quint16 toPort, const QString &sourceIp, QString *error);

private:
    void readPending();

    Receiver m_receiver;
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
