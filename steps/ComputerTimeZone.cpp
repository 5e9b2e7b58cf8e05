#include "steps/ComputerTimeZone.h"

#include <QDateTime>
#include <QTimeZone>

#include <cstdlib>

ComputerTimeZone ComputerTimeZone::current()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    return {QString::fromUtf8(QTimeZone::systemTimeZoneId()), zone.offsetFromUtc(QDateTime::currentDateTimeUtc())};
}

QString ComputerTimeZone::gmtText() const
{
    const int minutes = std::abs(offsetFromUtc) / 60;
    return QStringLiteral("GMT%1%2:%3")
        .arg(offsetFromUtc < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString ComputerTimeZone::city() const
{
    const QStringList parts = identifier.split(QLatin1Char('/'));
    return parts.size() > 1 ? parts.at(1) : QString();
}
