#include "sim/core/StopOnSignal.h"

#include "platform/SignalWatcher.h"

#include <QCoreApplication>

void stopEventLoopOnSignal()
{
    auto *watcher = new SignalWatcher({SIGINT, SIGTERM}, QCoreApplication::instance());
    QObject::connect(watcher, &SignalWatcher::received, QCoreApplication::instance(), &QCoreApplication::quit);
}
