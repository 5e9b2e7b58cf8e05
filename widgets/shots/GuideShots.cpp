#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"
#include "guide/InstallView.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

namespace {

// Sub-page n of the guide, reached from the first by Next as a person would.
void showGuide(ShotWorld &world, int nextPresses)
{
    world.shell().showInstallView();
    for (int press = 0; press < nextPresses; ++press)
        world.shell().contentInstallViewController().onNextClicked();
}

} // namespace

void addGuideShots(ShotList &shots)
{
    const struct
    {
        const char *name;
        const char *about;
        int nextPresses;
    } pages[] = {
        {"guide-0", "guide: recorder, router and hard disk", 0},
        {"guide-1a", "guide: the recorder's connections", 1},
        {"guide-1b", "guide: power", 2},
        {"guide-2", "guide: cables", 3},
        {"guide-3", "guide: status light, with the tip button", 4},
    };
    for (const auto &page : pages) {
        const int presses = page.nextPresses;
        shots.append({QString::fromLatin1(page.name), QString::fromLatin1(page.about),
            [presses](ShotWorld &world) { showGuide(world, presses); }});
    }
    shots.append({QStringLiteral("diag-led-red"), QStringLiteral("troubleshooting: the status light stays red"),
        [](ShotWorld &world) {
            showGuide(world, 4);
            world.openDialog<DiagLEDStateRed>();
        }});
    shots.append({QStringLiteral("diag-reset"), QStringLiteral("troubleshooting: how to reset the recorder"),
        [](ShotWorld &world) {
            showGuide(world, 4);
            world.openDialog<DiagReset>();
        }});
    shots.append({QStringLiteral("diag-mac"), QStringLiteral("troubleshooting: the selected recorder's MAC address"),
        [](ShotWorld &world) {
            showGuide(world, 4);
            world.openDialog<DiagMacAddress>(QStringLiteral("00:1a:2b:3c:4d:5e"));
        }});
}
