#pragma once

#include "sim/lan/SimUdpEndpoint.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class SimLog;
class SimState;
struct SimRecorder;

// The recorders' side of the LAN protocol: answers discovery for every
// recorder, and verify-user and change-user for the recorder or ZEBOR camera
// whose MAC and IP the request's head carries. Every datagram received is
// logged as an "rx" line, every answer as a "tx" line, a camera's command as a
// "cam" line.
class SimLanResponder : public QObject
{
    Q_OBJECT
public:
    SimLanResponder(SimState &state, SimLog &log, double timeScale);

    bool open(quint16 port, QString *error);

private:
    void onDatagram(const SimUdpEndpoint::Datagram &datagram);
    void answerSearch(const SimUdpEndpoint::Datagram &request);
    void answerCommand(const SimUdpEndpoint::Datagram &request, uint16_t opcode);
    void answerCamera(const SimUdpEndpoint::Datagram &request, uint16_t opcode, const QString &mac, const QString &ip);
    // Whether this request belongs to one of the first `limit` exchanges that
    // the recorder leaves unanswered.
    bool ignores(const SimRecorder &recorder, int limit, const QString &kind, quint16 requesterPort);
    uint16_t verify(SimRecorder &recorder, const QByteArray &request);
    uint16_t change(SimRecorder &recorder, const QByteArray &request);
    // Sends from the device's address, now or after its delay.
    void answer(const QString &ip, const QString &mac, int delayMs, const QList<QByteArray> &datagrams,
        const SimUdpEndpoint::Datagram &to);
    // The recorder's flood of noise after an answer, logged as one "flood" line.
    void flood(const SimRecorder &recorder, const SimUdpEndpoint::Datagram &to);
    void sendNow(const QString &recorderIp, const QString &mac, const QByteArray &datagram, const QString &toHost,
        quint16 toPort);

    SimState &m_state;
    SimLog &m_log;
    double m_timeScale;
    SimUdpEndpoint m_endpoint;
    QHash<QString, QSet<quint16>> m_ignoredPorts; // by kind and recorder MAC
};
