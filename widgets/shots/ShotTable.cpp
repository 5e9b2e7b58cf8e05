#include "widgets/shots/Shots.h"

const ShotList &allShots()
{
    static const ShotList shots = [] {
        ShotList all;
        addShellShots(all);
        addGuideShots(all);
        return all;
    }();
    return shots;
}
