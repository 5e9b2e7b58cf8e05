#pragma once

#include "platform/PropertyList.h"

// The readers and the writer of each format behind PropertyList.
namespace PlistFormats {

PropertyList::Parsed parseXml(const QByteArray &bytes);
PropertyList::Parsed parseBinary(const QByteArray &bytes);
QString writeXml(const QVariant &root, QByteArray *xml);

// Dates in both formats count from here.
constexpr qint64 appleEpochSecs = 978307200; // 2001-01-01T00:00:00Z

} // namespace PlistFormats
