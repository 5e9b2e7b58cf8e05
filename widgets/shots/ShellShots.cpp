#include "app/DiagAbout.h"
#include "app/DiagExit.h"
#include "app/SetupView.h"
#include "core/DiagShowEula.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

void addShellShots(ShotList &shots)
{
    shots.append(
        {QStringLiteral("welcome"), QStringLiteral("the welcome page with the language choice"), [](ShotWorld &) {}});
    shots.append({QStringLiteral("about"), QStringLiteral("the About dialog over the guide"), [](ShotWorld &world) {
                      world.shell().showInstallView();
                      world.openDialog<DiagAbout>();
                  }});
    shots.append({QStringLiteral("licence"), QStringLiteral("the licence agreement dialog"),
        [](ShotWorld &world) { world.openDialog<DiagShowEula>(); }});
    shots.append({QStringLiteral("exit-mid-setup"), QStringLiteral("Exit with a recorder half set up: the steps done"),
        [](ShotWorld &world) {
            world.shell().showSetupView();
            SetupView &setup = world.shell().contentSetupViewController();
            setup.setupPasswordNext(QString());
            setup.setupTimeZoneNext();
            world.openDialog<DiagExit>(setup.stepsDone());
        }});
}
