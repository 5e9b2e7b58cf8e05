#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Property lists as QVariant trees: QVariantMap (dict), QVariantList (array),
// QString, qlonglong or qulonglong (integer), double (real), bool, QDateTime in
// UTC (date) and QByteArray (data). Reads XML and binary; writes XML.
namespace PropertyList {

// Bounds that keep hostile input from costing unbounded time or memory.
constexpr qint64 maxFileBytes = 256LL << 20;
constexpr int maxDepth = 512;
constexpr qint64 maxValues = 1LL << 20;

struct Parsed
{
    QVariant value;
    QString error; // empty when the value was read

    bool ok() const { return error.isEmpty(); }
};

Parsed parse(const QByteArray &bytes);
Parsed readFile(const QString &path);

// The XML form; a value it cannot hold (an unknown type, a string with a
// character XML 1.0 forbids) gives an error instead of a file that no parser reads.
QString toXml(const QVariant &root, QByteArray *xml);

// Writes the XML form atomically: a crash leaves the old file or the new one.
// Returns an error text, empty on success.
QString writeFile(const QString &path, const QVariant &root);

} // namespace PropertyList
