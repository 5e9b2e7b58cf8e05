#pragma once

#include <QString>
#include <QVariantMap>

#include <functional>
#include <map>
#include <vector>

class QObject;

// Process-wide broadcast of named events, delivered synchronously on the
// posting thread (always the main thread here). Observers are called in the
// order they registered.
class NotificationCenter
{
public:
    using Observer = std::function<void(const QObject *sender, const QVariantMap &userInfo)>;
    using Token = int;

    Token addObserver(const QString &name, Observer observer);
    void removeObserver(Token token);
    void post(const QString &name, const QObject *sender = nullptr, const QVariantMap &userInfo = {});

private:
    struct Entry
    {
        Token token;
        QString name;
        Observer observer;
    };
    std::vector<Entry> m_entries;
    Token m_nextToken = 1;
};

// The notification names and user-info keys the pages and the shell share.
namespace Notifications {
inline const QString changeReminder = QStringLiteral("changeReminder");
inline const QString needReloadTableView = QStringLiteral("needReloadTableView");
inline const QString getLocalTimeZoneFromUserComputer = QStringLiteral("getLocalTimeZoneFromUserComputer");
inline const QString stepsKey = QStringLiteral("steps");
} // namespace Notifications
