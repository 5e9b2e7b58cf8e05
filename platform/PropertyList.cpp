#include "platform/PropertyList.h"

#include "platform/AtomicFile.h"
#include "platform/PlistFormats.h"

#include <QFile>

namespace PropertyList {

Parsed parse(const QByteArray &bytes)
{
    if (bytes.startsWith("bplist"))
        return PlistFormats::parseBinary(bytes);
    return PlistFormats::parseXml(bytes);
}

Parsed readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    if (file.size() > maxFileBytes)
        return {{}, QStringLiteral("file too large for a property list")};
    const QByteArray bytes = file.read(maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return parse(bytes);
}

QString toXml(const QVariant &root, QByteArray *xml)
{
    return PlistFormats::writeXml(root, xml);
}

QString writeFile(const QString &path, const QVariant &root)
{
    QByteArray xml;
    const QString error = toXml(root, &xml);
    return error.isEmpty() ? AtomicFile::write(path, xml) : error;
}

} // namespace PropertyList
