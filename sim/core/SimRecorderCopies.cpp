#include "sim/core/SimRecorderCopies.h"

#include "sim/core/SimWebRecorder.h"

#include <QHostAddress>
#include <QJsonObject>

namespace {

constexpr int kMaxCopies = 255;

// The address k further on; anything but an IPv4 address stays as it is.
QString nextAddress(const QString &ip, int k)
{
    QHostAddress address;
    if (!address.setAddress(ip) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return ip;
    return QHostAddress(address.toIPv4Address() + quint32(k)).toString();
}

// The MAC k further on, counted in its last three bytes.
QString nextMac(const QString &mac, int k)
{
    const QString head = mac.left(9);
    bool ok = false;
    const uint tail = QString(mac.mid(9)).remove(QLatin1Char(':')).toUInt(&ok, 16);
    if (!ok || mac.size() != 17)
        return mac;
    const QString hex = QStringLiteral("%1").arg((tail + uint(k)) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    return head + hex.mid(0, 2) + QLatin1Char(':') + hex.mid(2, 2) + QLatin1Char(':') + hex.mid(4, 2);
}

QJsonObject copyOf(const QJsonObject &entry, int k)
{
    QJsonObject copy = entry;
    copy.remove(QStringLiteral("copies"));
    const QString ip = entry.value(QStringLiteral("ip")).toString();
    copy.insert(QStringLiteral("ip"), nextAddress(ip, k));
    copy.insert(QStringLiteral("mac"), nextMac(entry.value(QStringLiteral("mac")).toString(), k));
    if (entry.contains(QStringLiteral("name")))
        copy.insert(QStringLiteral("name"),
            QStringLiteral("%1 %2").arg(entry.value(QStringLiteral("name")).toString()).arg(k + 1));
    QJsonArray cameras = entry.value(QStringLiteral("cameras")).toArray();
    const int step = int(cameras.size()) * k;
    for (qsizetype i = 0; i < cameras.size(); ++i) {
        QJsonObject camera = cameras.at(i).toObject();
        camera.insert(QStringLiteral("ip"), nextAddress(camera.value(QStringLiteral("ip")).toString(), step));
        camera.insert(QStringLiteral("mac"), nextMac(camera.value(QStringLiteral("mac")).toString(), step));
        cameras[i] = camera;
    }
    if (!cameras.isEmpty())
        copy.insert(QStringLiteral("cameras"), cameras);
    // The portal tells recorders apart by their cloud number.
    QJsonObject cloud = entry.value(QStringLiteral("cloud")).toObject();
    const QString base = cloud.value(QStringLiteral("portal_number"))
                             .toString(SimWebScenario::defaults(ip).cloud.value(QStringLiteral("portal_number")));
    const QString number = QString::number(base.toLongLong() + k);
    cloud.insert(QStringLiteral("portal_number"), number);
    cloud.insert(QStringLiteral("portal_dfp"), QStringLiteral("dfp-") + number);
    copy.insert(QStringLiteral("cloud"), cloud);
    return copy;
}

} // namespace

bool expandRecorderCopies(const QJsonArray &entries, QJsonArray *expanded, QString *error)
{
    QJsonArray result;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject entry = entries.at(i).toObject();
        const QJsonValue copies = entry.value(QStringLiteral("copies"));
        if (copies.isUndefined()) {
            result.append(entries.at(i));
            continue;
        }
        const int count = copies.toInt();
        if (!copies.isDouble() || copies.toDouble() != count || count < 1 || count > kMaxCopies) {
            *error = QStringLiteral("recorder %1: \"copies\" must be a number from 1 to %2").arg(i).arg(kMaxCopies);
            return false;
        }
        for (int k = 0; k < count; ++k)
            result.append(copyOf(entry, k));
    }
    *expanded = result;
    return true;
}
