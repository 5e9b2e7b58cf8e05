#include "app/SetupReport.h"

#include "core/HMLocalization.h"
#include "platform/ModelName.h"
#include "protocol/TVexorReply.h"
#include "util/UtilMethod.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstring>

namespace {

// A fixed text field of the record: up to its first NUL, with anything
// that is not printable ASCII shown as "?".
template<size_t N> QString printable(const char (&field)[N])
{
    QString text = QString::fromLatin1(field, qsizetype(strnlen(field, N)));
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7f)
            c = QLatin1Char('?');
    }
    return text;
}

} // namespace

QString connectionTypeText(bool dhcp, const HMLocalization &l10n)
{
    return dhcp ? QStringLiteral("DHCP") : l10n.localizedStringForKey(QStringLiteral("Summary_StaticIP"));
}

void SetupReport::setRecorder(const TVexorReply &nvr)
{
    model = printable(nvr.modelName);
    firmware = printable(nvr.firmwareVersion);
    mac = UtilMethod::macToString(nvr.macAddress);
    ip = UtilMethod::ipToString(nvr.ipAddress);
    dhcp = nvr.dhcpEnabled != 0;
}

QString SetupReport::fileName() const
{
    QString name = QStringLiteral("%1-report").arg(ModelName::kNvr);
    if (!mac.isEmpty())
        name += QLatin1Char('-') + QString(mac).replace(QLatin1Char(':'), QLatin1Char('-')).toUpper();
    return name + QLatin1Char('-') + date.date().toString(Qt::ISODate) + QStringLiteral(".pdf");
}

bool SetupReport::namesFolder(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) || QFileInfo(path).isDir();
}

QString SetupReport::pathFor(const QString &fileOrFolder) const
{
    return namesFolder(fileOrFolder) ? QDir(fileOrFolder).filePath(fileName()) : fileOrFolder;
}

QString SetupReport::placeError(const QString &fileOrFolder)
{
    const bool folderNamed = namesFolder(fileOrFolder);
    const QString folder = folderNamed ? fileOrFolder : QFileInfo(fileOrFolder).path();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("\"report\": the folder %1 does not exist").arg(folder);
    // Only a file made there tells for sure (permissions, a read-only disk).
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".report-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("\"report\": no file can be made in the folder %1: %2").arg(folder, probe.errorString());
    const QFileInfo file(fileOrFolder);
    if (!folderNamed && file.exists() && !file.isWritable())
        return QStringLiteral("\"report\": %1 is there and cannot be replaced").arg(fileOrFolder);
    return {};
}
