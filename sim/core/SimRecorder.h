#pragma once

#include "sim/core/SimWebRecorder.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// How a simulated recorder departs from a well-behaved one, on the LAN side
// and on its web interface.
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
    int flood = 0; // this many datagrams of noise follow every answer

    bool webClosed = false; // nothing listens on its HTTPS port: connections are refused

    // The web side: every /config/ request, or only those whose path webPaths lists.
    int webStatus = 0; // answered with this status (401, 500, ...), the command not run
    bool webGarbage = false; // answered with noise instead of HTTP
    bool webStall = false; // the head and half the answer, then nothing on an open connection
    bool webReset = false; // the connection reset instead of an answer
    int webHugeMb = 0; // answered with a body of this many MiB
    bool webEndless = false; // answered with a chunked body that does not end
    QStringList webPaths;

    bool misbehavesOnWeb(const QByteArray &path) const
    {
        const bool any = webStatus || webGarbage || webStall || webReset || webHugeMb || webEndless;
        return any && (webPaths.isEmpty() || webPaths.contains(QString::fromLatin1(path)));
    }
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
