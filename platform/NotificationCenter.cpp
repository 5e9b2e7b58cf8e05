#include "platform/NotificationCenter.h"

#include <algorithm>

NotificationCenter::Token NotificationCenter::addObserver(const QString &name, Observer observer)
{
    const Token token = m_nextToken++;
    m_entries.push_back({token, name, std::move(observer)});
    return token;
}

void NotificationCenter::removeObserver(Token token)
{
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(), [token](const Entry &e) { return e.token == token; }),
        m_entries.end());
}

void NotificationCenter::post(const QString &name, const QObject *sender, const QVariantMap &userInfo)
{
    // Copy first: an observer may add or remove observers while being called.
    std::vector<Observer> targets;
    for (const Entry &e : m_entries) {
        if (e.name == name)
            targets.push_back(e.observer);
    }
    for (const Observer &observer : targets)
        observer(sender, userInfo);
}
