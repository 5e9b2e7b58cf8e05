#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

class HeadlessSession;
class PageController;

// Plays the user's part on one page or step in the headless mode.
struct HeadlessDriver
{
    // Called on the next event-loop pass after the page was shown, every time
    // it is shown. It acts at once or waits with HeadlessSession::when().
    std::function<void(PageController &page, HeadlessSession &session)> drive;
    // Checks the page's own answers (the object under its page key) before
    // anything runs; returns its mistakes one per line (joinMistakes), or an
    // empty string when fine.
    std::function<QString(const QJsonObject &pageAnswers)> validate;
    // The keys its section may hold; any other is refused before anything runs.
    QStringList keys;
};

// A section's mistakes as validate returns them; empty entries are dropped.
QString joinMistakes(const QStringList &mistakes);

class HeadlessDrivers
{
public:
    void add(const QString &pageKey, HeadlessDriver driver);
    const HeadlessDriver *find(const QString &pageKey) const;
    bool contains(const QString &pageKey) const { return m_drivers.contains(pageKey); }
    // The page keys, sorted.
    QStringList keys() const;

private:
    QHash<QString, HeadlessDriver> m_drivers;
};

// Each area adds its drivers in its own add...Drivers(HeadlessDrivers &)
// function, called from HeadlessDrivers.cpp.
void addAllHeadlessDrivers(HeadlessDrivers &drivers);
void addShellDrivers(HeadlessDrivers &drivers);
void addSearchDrivers(HeadlessDrivers &drivers);
void addPasswordDrivers(HeadlessDrivers &drivers);
void addTimeZoneDrivers(HeadlessDrivers &drivers);
void addHddDrivers(HeadlessDrivers &drivers);
void addNimboraDrivers(HeadlessDrivers &drivers);
void addSearchCamDrivers(HeadlessDrivers &drivers);
