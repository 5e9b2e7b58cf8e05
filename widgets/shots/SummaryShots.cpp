#include "app/AppDelegate.h"
#include "app/SetupSummary.h"
#include "app/SummaryView.h"
#include "steps/Setup_NimboraView.h"
#include "widgets/shots/ShotRoutes.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

namespace {

// The summary of a run whose cloud step was answered by answer(), once the
// recorder has said its cloud state and whether it records.
void enterSummary(ShotWorld &world, const std::function<void(Setup_NimboraView &)> &answer)
{
    Setup_NimboraView *step = enterNimboraStep(world);
    if (!step)
        return;
    answer(*step);
    SummaryView &summary = world.shell().contentSummaryViewController();
    ShotWorld::waitUntil(
        [&] { return world.shell().contentBox().current() == &summary && summary.isSettled(); }, kLongestWaitMs);
}

} // namespace

void addSummaryShots(ShotList &shots)
{
    shots.append({QStringLiteral("summary-no-recorder"),
        QStringLiteral("summary: what a run set, before any recorder answered"), [](ShotWorld &world) {
            SetupSummary summary {
                QStringLiteral("Str0ngpass1"), QStringLiteral("ana.lu@example.com"), QStringLiteral("Secret7"), {}};
            summary.facts.cameras
                = {{1, QStringLiteral("ZB 2100"), {}, {}}, {3, QStringLiteral("47X-10 Dome"), {}, {}}};
            world.shell().showSummary(summary);
        }});
}

void addSummaryLanShots(ShotList &shots)
{
    shots.append({QStringLiteral("summary-lan-cloud"),
        QStringLiteral("the summary after the recorder was registered with a cloud account"), [](ShotWorld &world) {
            enterSummary(world, [](Setup_NimboraView &step) {
                step.contentViewController().setMail(QStringLiteral("owner@example.com"));
                step.contentViewController().setPassword(QStringLiteral("pw1"));
                step.onNextClicked();
            });
        }});
    shots.append({QStringLiteral("summary-lan-nocloud"), QStringLiteral("the summary after the cloud step was skipped"),
        [](ShotWorld &world) {
            enterSummary(world, [](Setup_NimboraView &step) {
                step.contentViewController().onSelectorChange(Setup_NimboraContentView::Pass);
                step.onNextClicked();
            });
        }});
}
