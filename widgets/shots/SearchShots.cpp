#include "app/SetupView.h"
#include "steps/DiagCheckNVRInternet.h"
#include "steps/DiagUnreachable.h"
#include "steps/Setup_SearchNvrView.h"
#include "widgets/MainWindow.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

#include <QEventLoop>
#include <QTableWidget>
#include <QTimer>

namespace {

constexpr int kLongestSearchMs = 60000;

Setup_SearchNvrView &showSearchStep(ShotWorld &world)
{
    world.shell().showInstallView(); // the guide turns on the header band and the help bar
    world.shell().showSetupView();
    return world.shell().contentSetupViewController().searchNvrViewController();
}

void waitForTheSearch(Setup_SearchNvrView &search)
{
    QEventLoop loop;
    QObject::connect(&search, &Setup_SearchNvrView::changed, &loop, [&] {
        if (!search.isSearching())
            loop.quit();
    });
    QTimer::singleShot(kLongestSearchMs, &loop, &QEventLoop::quit);
    if (search.isSearching())
        loop.exec();
}

} // namespace

void addSearchShots(ShotList &shots)
{
    shots.append({QStringLiteral("diag-check-nvr-internet"),
        QStringLiteral("troubleshooting: the recorder's own internet connection"), [](ShotWorld &world) {
            showSearchStep(world);
            world.openDialog<DiagCheckNVRInternet>(nullptr);
        }});
}

void addSearchLanShots(ShotList &shots)
{
    shots.append({QStringLiteral("search-searching"), QStringLiteral("the recorder search while it runs"),
        [](ShotWorld &world) { showSearchStep(world); }});
    shots.append({QStringLiteral("search-done"),
        QStringLiteral("the recorder search once it has ended: the recorders found, or none"),
        [](ShotWorld &world) { waitForTheSearch(showSearchStep(world)); }});
    shots.append({QStringLiteral("search-second-row"),
        QStringLiteral("the recorder search once it has ended, the second recorder clicked"), [](ShotWorld &world) {
            waitForTheSearch(showSearchStep(world));
            if (auto *table = world.window().findChild<QTableWidget *>(QStringLiteral("tableView")))
                emit table->cellClicked(1, 0);
        }});
    shots.append({QStringLiteral("search-ask-unreachable"),
        QStringLiteral("Next on a recorder the computer cannot reach: why, and whether to go on"),
        [](ShotWorld &world) {
            Setup_SearchNvrView &search = showSearchStep(world);
            waitForTheSearch(search);
            const Setup_SelectNvrView &list = search.selectNvrView();
            world.openDialog<DiagUnreachable>(list.selectedRow() < 0 ? QString() : list.selectedDiagnosisText());
        }});
}
