#include "widgets/shots/Shots.h"

const ShotList &allShots()
{
    static const ShotList shots = [] {
        ShotList all;
        addShellShots(all);
        addGuideShots(all);
        addPasswordShots(all);
        addSearchShots(all);
        addTimeZoneShots(all);
        addHddShots(all);
        addNimboraShots(all);
        addSummaryShots(all);
        addCameraShots(all);
        return all;
    }();
    return shots;
}

const ShotList &lanShots()
{
    static const ShotList shots = [] {
        ShotList all;
        addSearchLanShots(all);
        addPasswordLanShots(all);
        addTimeZoneLanShots(all);
        addHddLanShots(all);
        addNimboraLanShots(all);
        addSummaryLanShots(all);
        addCameraLanShots(all);
        return all;
    }();
    return shots;
}
