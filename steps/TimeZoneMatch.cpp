#include "steps/TimeZoneMatch.h"

namespace TimeZoneMatch {

namespace {

QString firstContaining(const QStringList &zones, const QString &part)
{
    for (const QString &zone : zones) {
        if (zone.contains(part))
            return zone;
    }
    return {};
}

bool isCombiningMark(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing;
}

} // namespace

Proposal propose(const QStringList &zones, const ComputerTimeZone &computer)
{
    const QString city = computer.city();
    if (!city.isEmpty()) {
        const QString zone = firstContaining(zones, city);
        if (!zone.isEmpty())
            return {zone, By::Location};
    }
    // The whole offset first: "GMT+05" alone would take a +05:00 entry for a +05:30 zone.
    const QString offset = computer.gmtText();
    for (const QString &part : {offset, offset.split(QLatin1Char(':')).constFirst()}) {
        const QString zone = firstContaining(zones, part);
        if (!zone.isEmpty())
            return {zone, By::Gmt};
    }
    return {};
}

QString folded(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString stripped;
    stripped.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (!isCombiningMark(c))
            stripped.append(c);
    }
    return stripped.toCaseFolded();
}

QStringList search(const QStringList &zones, const QString &text)
{
    const QString needle = folded(text);
    QStringList found;
    for (const QString &zone : zones) {
        if (folded(zone).contains(needle))
            found.append(zone);
    }
    return found;
}

} // namespace TimeZoneMatch
