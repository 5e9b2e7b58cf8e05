#include "app/SetupView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_TimeZoneView.h"
#include "widgets/shots/ShotRoutes.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

namespace {

const QString kNewPassword = QStringLiteral("secret1");

// Without a recorder the step only proposes the computer's zone: nothing is
// sent anywhere.
Setup_TimeZoneView &proposingStep(ShotWorld &world)
{
    Setup_TimeZoneView &step = world.keep<Setup_TimeZoneView>();
    step.setDelegate(nullptr, nullptr, QStringLiteral("admin"), QString());
    world.showAlone(world.factory().makePage(step, nullptr));
    return step;
}

} // namespace

Setup_TimeZoneView *enterTimeZoneStep(ShotWorld &world)
{
    Setup_PasswordView *password = enterPasswordStep(world);
    if (!password)
        return nullptr;
    if (password->content() == Setup_PasswordView::Content::SetForm) {
        password->setForm().setPasswordText(kNewPassword);
        password->setForm().setConfirmText(kNewPassword);
    } else {
        // An earlier screen of the same run gave it its password already.
        password->confirmForm().setPasswordText(kNewPassword);
    }
    password->onNextClicked();
    SetupView &setup = world.shell().contentSetupViewController();
    Setup_TimeZoneView &step = setup.timeZoneViewController();
    ShotWorld::waitUntil(
        [&] { return setup.setupBox().current() == &step && !step.messageViewController().isVisible(); },
        kLongestWaitMs);
    return setup.setupBox().current() == &step ? &step : nullptr;
}

void addTimeZoneShots(ShotList &shots)
{
    shots.append({QStringLiteral("timezone-proposed"),
        QStringLiteral("time zone step: the computer's zone proposed, before the recorder answers"),
        [](ShotWorld &world) { proposingStep(world); }});
    shots.append({QStringLiteral("timezone-search"),
        QStringLiteral("time zone step: the drop-down list open with what a search found"), [](ShotWorld &world) {
            proposingStep(world).timeZoneViewController().controlTextDidChange(QStringLiteral("ka"));
        }});
}

void addTimeZoneLanShots(ShotList &shots)
{
    shots.append({QStringLiteral("timezone-lan"),
        QStringLiteral("the time zone step once the recorder's list and current zone are read"),
        [](ShotWorld &world) { enterTimeZoneStep(world); }});
    shots.append({QStringLiteral("timezone-lan-refused"),
        QStringLiteral("the time zone step when the recorder keeps another zone than the one chosen"),
        [](ShotWorld &world) {
            Setup_TimeZoneView *step = enterTimeZoneStep(world);
            if (!step)
                return;
            step->timeZoneViewController().tableViewClicked(8);
            step->onNextClicked();
            ShotWorld::waitUntil([&] { return !step->messageViewController().isVisible(); }, kLongestWaitMs);
        }});
    shots.append({QStringLiteral("timezone-lan-unreachable"),
        QStringLiteral("the time zone step when the recorder's web interface does not answer, its alert closed"),
        [](ShotWorld &world) {
            if (enterTimeZoneStep(world))
                world.closeAlert();
        }});
}
