#pragma once

#include <QList>
#include <QObject>

#include <csignal>

class QSocketNotifier;

// Turns signals (SIGINT and SIGTERM unless told others) into a Qt signal on
// the event loop, where the program can end cleanly. While a watcher exists
// those signals no longer end the process by themselves; one watcher at a time.
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QList<int> watched = {SIGINT, SIGTERM}, QObject *parent = nullptr);
    ~SignalWatcher() override;

signals:
    void received(int signalNumber);

private:
    QList<int> m_watched;
    QSocketNotifier *m_notifier = nullptr;
};
