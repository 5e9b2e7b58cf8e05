#include "app/SetupView.h"
#include "steps/DiagResetNVR.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_SelectNvrView.h"
#include "widgets/PasswordForms.h"
#include "widgets/shots/ShotRoutes.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

#include <QVBoxLayout>

Setup_PasswordView *enterPasswordStep(ShotWorld &world)
{
    world.shell().showInstallView(); // the guide turns on the header band and the help bar
    world.shell().showSetupView();
    SetupView &setup = world.shell().contentSetupViewController();
    Setup_SearchNvrView &search = setup.searchNvrViewController();
    ShotWorld::waitUntil([&] { return !search.isSearching(); }, kLongestWaitMs);
    search.selectNvrView().selectRow(0);
    search.onNextClicked();
    if (setup.setupBox().current() != &setup.passwordViewController())
        return nullptr;
    Setup_PasswordView &step = setup.passwordViewController();
    ShotWorld::waitUntil([&] { return !step.overlayShown(); }, kLongestWaitMs);
    return &step;
}

namespace {

// The step is never entered here: entering it asks the recorder over the LAN.
Setup_PasswordView &passwordStep(ShotWorld &world)
{
    return world.keep<Setup_PasswordView>();
}

void showPage(ShotWorld &world, Setup_PasswordView &step)
{
    world.showAlone(world.factory().makePage(step, nullptr));
}

// The confirm form is shown only after the recorder answered: here it stands
// alone, with the page's margins and no more height than it needs.
void showForm(ShotWorld &world, QWidget *form)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(32, 20, 32, 20);
    form->setParent(page);
    layout->addWidget(form);
    world.showAlone(page);
    page->resize(page->width(), page->sizeHint().height());
}

} // namespace

void addPasswordShots(ShotList &shots)
{
    shots.append({QStringLiteral("password-set"), QStringLiteral("password step: a new password for a new recorder"),
        [](ShotWorld &world) { showPage(world, passwordStep(world)); }});
    shots.append({QStringLiteral("password-set-error"),
        QStringLiteral("password step: the confirmation does not match"), [](ShotWorld &world) {
            Setup_PasswordView &step = passwordStep(world);
            step.setForm().setPasswordText(QStringLiteral("secret1"));
            step.setForm().setConfirmText(QStringLiteral("secret2"));
            step.setForm().checkPassword();
            showPage(world, step);
        }});
    shots.append({QStringLiteral("diag-reset-nvr"),
        QStringLiteral("password step: the reset account, after a wrong one"), [](ShotWorld &world) {
            static DiagResetNVRDelegate nobody; // the picture hands the choice to no one
            world.shell().showInstallView();
            world.openDialog<DiagResetNVR>(nobody, false);
        }});
    shots.append({QStringLiteral("password-confirm-error"),
        QStringLiteral("password step: a current password with a space"), [](ShotWorld &world) {
            Setup_ConfirmPasswordView &form = passwordStep(world).confirmForm();
            form.setPasswordText(QStringLiteral("my pass"));
            form.checkPassword();
            showForm(world, new ConfirmPasswordForm(form));
        }});
    shots.append({QStringLiteral("password-change-error"),
        QStringLiteral("password step: changing the password, the new one too short"), [](ShotWorld &world) {
            Setup_ConfirmPasswordView &form = passwordStep(world).confirmForm();
            form.setPasswordText(QStringLiteral("current1"));
            form.setChangePasswordChecked(true);
            form.setNewPasswordText(QStringLiteral("a"));
            form.setConfirmText(QStringLiteral("a"));
            form.checkNewPassword();
            showForm(world, new ConfirmPasswordForm(form));
        }});
}

void addPasswordLanShots(ShotList &shots)
{
    shots.append({QStringLiteral("password-lan"),
        QStringLiteral("the password step after the recorder answered: set form when new, confirm form otherwise"),
        [](ShotWorld &world) { enterPasswordStep(world); }});
    shots.append({QStringLiteral("password-lan-refused"),
        QStringLiteral("the password step once the recorder refused a wrong current password"), [](ShotWorld &world) {
            Setup_PasswordView *step = enterPasswordStep(world);
            if (!step || step->content() != Setup_PasswordView::Content::ConfirmForm)
                return;
            step->confirmForm().setPasswordText(QStringLiteral("wrong1"));
            step->onNextClicked();
            ShotWorld::waitUntil([&] { return !step->overlayShown(); }, kLongestWaitMs);
        }});
}
