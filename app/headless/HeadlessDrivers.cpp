#include "app/headless/HeadlessDriver.h"

void HeadlessDrivers::add(const QString &pageKey, HeadlessDriver driver)
{
    m_drivers.insert(pageKey, std::move(driver));
}

const HeadlessDriver *HeadlessDrivers::find(const QString &pageKey) const
{
    const auto it = m_drivers.constFind(pageKey);
    return it == m_drivers.constEnd() ? nullptr : &it.value();
}

void addAllHeadlessDrivers(HeadlessDrivers &drivers)
{
    addShellDrivers(drivers);
    addSearchDrivers(drivers);
    addPasswordDrivers(drivers);
    addTimeZoneDrivers(drivers);
    addHddDrivers(drivers);
    addNimboraDrivers(drivers);
}
