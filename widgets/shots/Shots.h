#pragma once

#include <QList>
#include <QString>

#include <functional>

class ShotWorld;

// One named screen of the screenshot tool: how to bring a fresh window into
// that state. Each area adds its screens in its own add...Shots() file; the
// table in ShotTable.cpp lists the areas.
struct Shot
{
    QString name;
    QString about;
    std::function<void(ShotWorld &world)> setUp;
};
using ShotList = QList<Shot>;

void addShellShots(ShotList &shots);
void addGuideShots(ShotList &shots);
void addPasswordShots(ShotList &shots);
void addPasswordLanShots(ShotList &shots);
void addSearchShots(ShotList &shots);
void addSearchLanShots(ShotList &shots);
void addTimeZoneShots(ShotList &shots);
void addTimeZoneLanShots(ShotList &shots);
void addHddShots(ShotList &shots);
void addHddLanShots(ShotList &shots);
void addNimboraShots(ShotList &shots);
void addNimboraLanShots(ShotList &shots);
void addSummaryShots(ShotList &shots);
void addSummaryLanShots(ShotList &shots);
void addCameraShots(ShotList &shots);
void addCameraLanShots(ShotList &shots);

// Every screen, in the order they are listed and rendered.
const ShotList &allShots();
// Screens that search the LAN for recorders: only with --lan, which belongs
// inside the network lab with the simulated recorders.
const ShotList &lanShots();
