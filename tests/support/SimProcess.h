#pragma once

#include "protocol/TVexorReply.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// One line of the simulator's event log: "<kind> t=<ms> key=value ...".
struct SimLogLine
{
    QString kind; // rx, tx, verify, change, error, ready, ...
    qint64 timeMs = 0; // since the epoch
    QHash<QString, QString> fields;

    QString value(const char *key) const { return fields.value(QLatin1String(key)); }
    static SimLogLine parse(const QString &line);
};

// nvrsim started in the lab's LAN namespace for one test. The scenario, log
// and state files live in a temporary folder that goes away with the object;
// the destructor stops the simulator.
class SimProcess
{
public:
    SimProcess();
    ~SimProcess();

    // A recorder of the scenario format: model HRX-540A, the given MAC
    // "00:1c:27:00:00:<n in hex>" and the lab's n-th recorder address, factory state.
    static QJsonObject recorder(int n);
    // recorder(n) holding this password (out of its factory state).
    static QJsonObject configured(int n, const QString &password);
    // recorder(n) with these misbehaviours ("answerTwice", "delayMs", ...).
    static QJsonObject misbehaving(int n, const QJsonObject &misbehave);
    // A camera of the scenario format at the lab's n-th camera address, MAC
    // "00:1c:27:10:00:<n in hex>", model "ZB-2100" (protocolType "0", ZEBOR)
    // or "47X-IP200" (any other); the recorder reports user "admin" and this
    // password, which the camera accepts too ("" is its factory state).
    static QJsonObject camera(int n, const QString &protocolType, const QString &password);
    // `into` with the keys of `extra` added or replaced.
    static QJsonObject merged(QJsonObject into, const QJsonObject &extra);
    // The recorder with these cameras for its camera discovery to find.
    static QJsonObject withCameras(QJsonObject recorder, const QList<QJsonObject> &cameras);
    static QString macOf(const QJsonObject &recorder) { return recorder.value(QStringLiteral("mac")).toString(); }
    static QString ipOf(const QJsonObject &recorder) { return recorder.value(QStringLiteral("ip")).toString(); }
    // A scenario of these recorders.
    static QJsonObject scenario(const QList<QJsonObject> &recorders);
    // The scenario whose cloud portal holds this one account.
    static QJsonObject withPortalAccount(QJsonObject scenario, const QString &email, const QString &password);
    // The device record a wizard would hold for a scenario recorder (MAC and IP
    // are what the configuration commands need).
    static TVexorReply target(const QJsonObject &recorder);

    // Scales the recorders' delays like Durations().scaled(factor) in the test.
    void setTimeScale(double factor) { m_env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QString::number(factor)); }
    // Without the state file, which the simulator rewrites whole after every
    // change: with many recorders that would weigh on what a benchmark times.
    void dropState() { m_keepState = false; }
    // Writes the scenario, starts nvrsim and waits for "nvrsim ready". False
    // with a message (the simulator's stderr included) on failure.
    bool start(const QJsonObject &scenario, QString *error = nullptr);
    // setTimeScale() and start(), for a test: a failure's message as a warning.
    bool startScaled(const QJsonObject &scenario, double timeScale = 1);
    void stop();
    bool isRunning() const { return m_process.state() == QProcess::Running; }

    QList<SimLogLine> log() const;
    QList<SimLogLine> log(const QString &kind) const;
    // Runs the event loop until a log line of this kind matches, at most timeoutMs.
    bool waitForLog(const QString &kind, const std::function<bool(const SimLogLine &)> &match, int timeoutMs);

    // The current state file: the scenario with the recorders' current values.
    QJsonObject state() const;
    QJsonObject stateOf(const QString &mac) const;
    QString passwordOf(const QString &mac) const { return stateOf(mac).value(QStringLiteral("password")).toString(); }
    // The state file's entry of the camera at this address (the first one).
    QJsonObject cameraStateOf(const QString &ip) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QProcessEnvironment m_env;
    bool m_keepState = true;
};
