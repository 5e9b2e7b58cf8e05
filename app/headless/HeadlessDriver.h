#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <typeindex>
#include <unordered_map>
#include <vector>

class HeadlessSession;
class PageController;

// Plays the user's part on one page or step in the headless mode.
struct HeadlessDriver
{
    // The page's section in the answers.
    QString section;
    // Called on the next event-loop pass after the page was shown, every time
    // it is shown. It acts at once or waits with HeadlessSession::when().
    std::function<void(PageController &page, HeadlessSession &session)> drive;
    // Checks the page's own answers (the object under its section) before
    // anything runs; returns its mistakes one per line (joinMistakes), or an
    // empty string when fine.
    std::function<QString(const QJsonObject &pageAnswers)> validate;
    // The keys its section may hold; any other is refused before anything runs.
    QStringList keys;
};

// A section's mistakes as validate returns them; empty entries are dropped.
QString joinMistakes(const QStringList &mistakes);

// Which driver plays which page, by the page controller's type, as the
// widgets are bound to it; each section is the controller's kPageKey.
class HeadlessDrivers
{
public:
    template<typename Controller>
    void add(std::function<void(Controller &page, HeadlessSession &session)> drive,
        std::function<QString(const QJsonObject &pageAnswers)> validate, QStringList keys)
    {
        m_byType[typeid(Controller)] = m_drivers.size();
        m_drivers.push_back({Controller::kPageKey,
            [drive = std::move(drive)](
                PageController &page, HeadlessSession &session) { drive(static_cast<Controller &>(page), session); },
            std::move(validate), std::move(keys)});
    }

    // The driver of the page's own type; nullptr when none is bound.
    const HeadlessDriver *find(const PageController &page) const;
    // The driver whose section this is; nullptr when none.
    const HeadlessDriver *section(const QString &key) const;
    // The sections, sorted.
    QStringList sections() const;

private:
    std::vector<HeadlessDriver> m_drivers;
    std::unordered_map<std::type_index, std::size_t> m_byType;
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
