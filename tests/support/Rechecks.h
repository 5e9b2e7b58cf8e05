#pragma once

#include "netcheck/Reachability.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtTest>

// Lets a monitor of its own recheck until timers of the recheck period have
// fired ticks times, so that any earlier monitor would have reported by then.
inline bool rechecksPassed(int periodMs, int ticks, int timeoutMs = 10000)
{
    struct Ticks : QObject
    {
        int periodMs = 0;
        int fired = 0;
        bool eventFilter(QObject *object, QEvent *event) override
        {
            const auto *timer = qobject_cast<QTimer *>(object);
            fired += event->type() == QEvent::Timer && timer && timer->interval() == periodMs;
            return false;
        }
    } counter;
    counter.periodMs = periodMs;
    auto marker = Reachability::reachabilityWithHostname(QStringLiteral("127.0.0.1"));
    QCoreApplication::instance()->installEventFilter(&counter);
    const bool passed = marker->startNotifier() && QTest::qWaitFor([&] { return counter.fired >= ticks; }, timeoutMs);
    QCoreApplication::instance()->removeEventFilter(&counter);
    return passed;
}
