#include "app/SetupView.h"
#include "core/DiagShowEula.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_TimeZoneView.h"
#include "widgets/NimboraForm.h"
#include "widgets/shots/ShotRoutes.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

#include <QVBoxLayout>

namespace {

const QString kMail = QStringLiteral("ana.lu@example.com");

// The form is shown only once the recorder has answered: here it stands
// alone, with the page's margins and no more height than it needs.
Setup_NimboraContentView &formAlone(ShotWorld &world, int option)
{
    auto &form = world.keep<Setup_NimboraContentView>();
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(32, 20, 32, 20);
    layout->addWidget(new NimboraForm(form, page));
    world.showAlone(page);
    form.onSelectorChange(option);
    // No taller than the option's fields need.
    layout->activate();
    page->resize(page->width(), page->sizeHint().height());
    return form;
}

} // namespace

Setup_NimboraView *enterNimboraStep(ShotWorld &world)
{
    if (!enterTimeZoneStep(world))
        return nullptr;
    SetupView &setup = world.shell().contentSetupViewController();
    setup.setupSearchCamNext();
    Setup_NimboraView &step = setup.nimboraViewController();
    ShotWorld::waitUntil([&] { return step.formShown(); }, kLongestWaitMs);
    return step.formShown() ? &step : nullptr;
}

void addNimboraShots(ShotList &shots)
{
    shots.append(
        {QStringLiteral("nimbora-form-existing"), QStringLiteral("cloud form: signing in with an existing account"),
            [](ShotWorld &world) { formAlone(world, Setup_NimboraContentView::AlreadyHave).setMail(kMail); }});
    shots.append({QStringLiteral("nimbora-form-new"), QStringLiteral("cloud form: a new account, terms accepted"),
        [](ShotWorld &world) {
            Setup_NimboraContentView &form = formAlone(world, Setup_NimboraContentView::CreateOne);
            form.setMail(kMail);
            form.setPassword(QStringLiteral("Secret7"));
            form.setRePassword(QStringLiteral("Secret7"));
            form.setFirstName(QStringLiteral("Ana"));
            form.setLastName(QStringLiteral("Lu"));
            form.btCheckTerms(true);
        }});
    shots.append({QStringLiteral("nimbora-form-error"),
        QStringLiteral("cloud form: a new account whose passwords differ, the password marked"), [](ShotWorld &world) {
            Setup_NimboraContentView &form = formAlone(world, Setup_NimboraContentView::CreateOne);
            form.setMail(kMail);
            form.setPassword(QStringLiteral("Secret7"));
            form.setRePassword(QStringLiteral("Secret8"));
            form.chkAccount();
        }});
}

void addNimboraLanShots(ShotList &shots)
{
    shots.append({QStringLiteral("nimbora-lan-form"),
        QStringLiteral("the cloud step once the recorder reports that it is online and not registered"),
        [](ShotWorld &world) { enterNimboraStep(world); }});
    shots.append(
        {QStringLiteral("nimbora-lan-skip"), QStringLiteral("the cloud step with Skip chosen"), [](ShotWorld &world) {
             if (Setup_NimboraView *step = enterNimboraStep(world))
                 step->contentViewController().onSelectorChange(Setup_NimboraContentView::Pass);
         }});
    shots.append({QStringLiteral("nimbora-lan-refused"),
        QStringLiteral("the cloud step after the portal refused the sign-in, with its text and markers"),
        [](ShotWorld &world) {
            Setup_NimboraView *step = enterNimboraStep(world);
            if (!step)
                return;
            step->contentViewController().setMail(QStringLiteral("owner@example.com"));
            step->contentViewController().setPassword(QStringLiteral("not-it"));
            step->onNextClicked();
            ShotWorld::waitUntil([&] { return step->contentViewController().errorVisible(); }, kLongestWaitMs);
        }});
    shots.append({QStringLiteral("nimbora-lan-terms"),
        QStringLiteral("the terms of use opened from the cloud step's new-account form"), [](ShotWorld &world) {
            Setup_NimboraView *step = enterNimboraStep(world);
            if (!step)
                return;
            step->contentViewController().onSelectorChange(Setup_NimboraContentView::CreateOne);
            world.openDialog<DiagShowEula>();
        }});
}
