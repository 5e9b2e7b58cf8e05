#pragma once

#include "sim/core/SimWebRecorder.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

// How a simulated recorder departs from a well-behaved one on the LAN side.
struct SimMisbehaviour
{
    bool answerTwice = false; // every discovery reply is sent twice
    int delayMs = 0; // before each answer (scaled by NVRWIZARD_TIME_SCALE)
    bool silent = false; // answers nothing at all
    bool silentCommands = false; // answers discovery but no configuration command
    QString wrongModel; // model name sent instead of the real one when not empty
    int shortBytes = 0; // discovery reply cut to this many bytes when > 0
    int overLongBytes = 0; // this many extra bytes after the discovery reply when > 0
    bool garbage = false; // a datagram of noise instead of the discovery reply
    // The first n searches / configuration commands go unanswered (each
    // requester socket counts once, however many interfaces it sent on).
    int ignoreSearches = 0;
    int ignoreCommands = 0;
};

// One simulated recorder: what it reports in discovery and the account it
// holds. Shared by the LAN side and the web side of the simulator; keys of the
// scenario that the LAN side does not know are kept in `extra` and written
// back to the state file unchanged.
struct SimRecorder
{
    QString name; // label for log lines
    QString model = QStringLiteral("HRX-540A");
    QString firmware = QStringLiteral("2.0.1.0");
    QString mac;
    QString ip;
    int webPort = 80;
    QString mask = QStringLiteral("255.255.255.0");
    QString gateway;
    QString dns;
    QString dns2;
    bool dhcp = false;
    QString user = QStringLiteral("admin");
    QString password; // empty in the factory state
    bool factory = true; // "admin" with an empty password is accepted
    SimMisbehaviour misbehave;
    SimWebRecorder web;
    QJsonObject extra;
    // After a factory reset the recorder restarts and answers nothing until then.
    qint64 restartingUntilMs = 0;

    bool restarting() const { return QDateTime::currentMSecsSinceEpoch() < restartingUntilMs; }

    bool accepts(const QString &userName, const QString &pass) const { return userName == user && pass == password; }
};
