#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// What a simulated recorder holds behind its /config/ web interface. Read
// from the recorder's object in the scenario (keys below, all optional) and
// written back to the state file with the current values.
struct SimPartition
{
    qint64 capacityMb = 0;
    qint64 usedMb = 0;
    qint64 freeMb = 0;
    qint64 recordableMb = 0;
    int status = 6; // 0..11 as the recorder numbers them; 6 not formatted
    QString fileSystem;
};

struct SimDisk
{
    QString device; // empty: no disk detected in the bay
    QString model;
    QString product;
    QString type = QStringLiteral("SATA");
    bool plugged = false;
    bool ready = false;
    qint64 capacityMb = 0;
    QList<SimPartition> partitions;
    int formatFails = 0; // this many formats of the disk end in "-1"; kAlways: every one
    int detectAfter = 0; // disk queries answered with no device name while the drive comes up
    static constexpr int kAlways = -1;
};

// A camera the recorder discovers. `user` and `password` are what the
// recorder reports; the camera itself accepts "admin" with `adminPassword`,
// which differs when the recorder's copy is stale and is empty in the
// factory state (then no credentials at all are accepted too).
struct SimCamera
{
    QString ip, mac, brand, model, user, password;
    QString protocol = QStringLiteral("ONVIF");
    QString protocolType = QStringLiteral("0"); // "0" ZEBOR, else 47X
    QString adminPassword;
    int delayMs = 0; // before every answer, HTTP and LAN (scaled by NVRWIZARD_TIME_SCALE)
    bool silent = false; // accepts connections but never answers; ignores LAN datagrams

    bool isZebor() const { return protocolType == QLatin1String("0"); }
    // Whether "admin" with this password gets in; without credentials
    // (hasCredentials false) only a camera in its factory state lets anyone in.
    bool accepts(bool hasCredentials, const QString &userName, const QString &pass) const
    {
        if (!hasCredentials)
            return adminPassword.isEmpty();
        return userName == QLatin1String("admin") && pass == adminPassword;
    }
};

// One of the nine channels, as the last addavdev wrote it.
struct SimChannel
{
    bool used = false;
    QString name, host, mac, protocol, protocolType, account, brand, product;
    QString password; // the camera password the wizard sent (Base64 decoded)
};

struct SimWebRecorder
{
    static constexpr int kBays = 2;
    static constexpr int kChannels = 9;

    QList<SimDisk> disks; // always kBays entries
    QList<int> formatSteps {35, 80, 100}; // progress answered poll by poll
    int formattingBay = -1;
    int formatPoll = 0;
    QString lastFormatResult = QStringLiteral("-1"); // answered by polls when no format runs
    int timeZone = 14; // 1-based index into the zone list
    QHash<int, QStringList> timeZoneLists; // by the recorder's language number
    bool timeZoneLocked = false; // a set keeps the old zone and answers it
    QString timeZoneListAnswer = QStringLiteral("list"); // "list", or "empty" / "missing" for a broken answer
    QList<SimCamera> cameras;
    QList<SimChannel> channels; // always kChannels entries
    QHash<QString, QString> cloud; // the keys of the nimboraportal answer
    QString regStatus = QStringLiteral("0");
    QString regEmail;
    QString regPassword;
    bool regBadRequest = false; // nimborareginfo answers "400 Bad Request"
    QString resetWait = QStringLiteral("60"); // answered as it stands; the restart lasts its leading number
    bool recording = false;

    QStringList zones(int language) const { return timeZoneLists.value(language); }
};

namespace SimWebScenario {

extern const QStringList kKeys;

// The recorder's defaults: one unformatted disk in bay 0, bay 1 empty, the
// English zone list for every language the recorder knows, no cameras, cloud
// settings for the lab's portal.
SimWebRecorder defaults(const QString &recorderIp);
// Fills web from the recorder's object; false with a message on a bad value.
bool read(const QJsonObject &recorder, SimWebRecorder *web, QString *error);
void write(const SimWebRecorder &web, QJsonObject *recorder);

} // namespace SimWebScenario
