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

QStringList HeadlessDrivers::keys() const
{
    QStringList keys = m_drivers.keys();
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
