#include "app/headless/HeadlessDriver.h"

#include "core/PageController.h"

const HeadlessDriver *HeadlessDrivers::find(const PageController &page) const
{
    const auto it = m_byType.find(typeid(page));
    return it == m_byType.end() ? nullptr : &m_drivers.at(it->second);
}

const HeadlessDriver *HeadlessDrivers::section(const QString &key) const
{
    for (const HeadlessDriver &driver : m_drivers) {
        if (driver.section == key)
            return &driver;
    }
    return nullptr;
}

QStringList HeadlessDrivers::sections() const
{
    QStringList keys;
    for (const HeadlessDriver &driver : m_drivers)
        keys << driver.section;
    keys.sort(Qt::CaseInsensitive);
    return keys;
}

QString joinMistakes(const QStringList &mistakes)
{
    QStringList found = mistakes;
    found.removeAll(QString());
    return found.join(QLatin1Char('\n'));
}

void addAllHeadlessDrivers(HeadlessDrivers &drivers)
{
    addShellDrivers(drivers);
    addSearchDrivers(drivers);
    addPasswordDrivers(drivers);
    addTimeZoneDrivers(drivers);
    addHddDrivers(drivers);
    addNimboraDrivers(drivers);
    addSearchCamDrivers(drivers);
}
