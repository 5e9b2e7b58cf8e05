#pragma once

#include "steps/ComputerTimeZone.h"

#include <QString>
#include <QStringList>

// Finding zones in the zone lists by name.
namespace TimeZoneMatch {

enum class By { Nothing, Location, Gmt };

struct Proposal
{
    QString zone; // empty when nothing matched
    By by = By::Nothing;
};

// The first entry holding the zone's city (case-sensitive), else the first
// holding its whole GMT offset ("GMT+05:30"), else the first holding the
// offset up to the hours ("GMT+05").
Proposal propose(const QStringList &zones, const ComputerTimeZone &computer);

// The entries holding text, ignoring case and diacritics.
QStringList search(const QStringList &zones, const QString &text);

// NFD without combining marks, case-folded.
QString folded(const QString &text);

} // namespace TimeZoneMatch
