#pragma once

#include <QString>

#include <functional>

// The computer's own time zone, as the time zone step proposes it.
struct ComputerTimeZone
{
    QString identifier; // region/city, such as "Asia/Taipei"
    int offsetFromUtc = 0; // seconds east of UTC at this moment

    // The system zone (QTimeZone::systemTimeZoneId(), so TZ counts) right now.
    static ComputerTimeZone current();

    // "GMT+08:00", "GMT-03:30", "GMT+00:00": the form the zone lists use.
    QString gmtText() const;
    // The part after the first "/" ("Taipei"); empty without a "/".
    QString city() const;
};

// Where a step reads the computer's zone from; tests pass their own.
using ComputerTimeZoneSource = std::function<ComputerTimeZone()>;
