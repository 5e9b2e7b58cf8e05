#include "app/SetupView.h"
#include "platform/ModelName.h"
#include "steps/DiagNewPassword.h"
#include "steps/DiagPreview.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/installCamera.h"
#include "widgets/MainWindow.h"
#include "widgets/shots/ShotRoutes.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

using Secured = Setup_SelectCamView::Secured;

// A camera as a recorder would report it, for the screens that send nothing.
std::shared_ptr<TCameraInfo> reportedCamera(const QString &user)
{
    auto camera = std::make_shared<TCameraInfo>();
    camera->setIp(QStringLiteral("192.0.2.101"));
    camera->setMac(QStringLiteral("00:1c:27:10:00:01"));
    camera->setBrandName(QStringLiteral("47X"));
    camera->setModelName(QStringLiteral("47X-IP200"));
    camera->setUserName(user);
    camera->setPassWord(QString());
    camera->setProtocolType(QStringLiteral("1"));
    return camera;
}

// In the window: the search, the factory login of the password step, then
// the camera step with that login, shown once the recorder has listed its cameras.
Setup_SearchCamView *enterCameraStep(ShotWorld &world)
{
    if (!enterPasswordStep(world))
        return nullptr;
    SetupView &setup = world.shell().contentSetupViewController();
    Setup_SearchCamView &step = setup.searchCamViewController();
    step.setDelegate(&setup, setup.getSelectedDevice(), QStringLiteral("admin"), QString());
    setup.setupBox().show(&step);
    ShotWorld::waitUntil(
        [&] {
            return step.phase() == Setup_SearchCamView::Phase::Listing
                || step.phase() == Setup_SearchCamView::Phase::Error;
        },
        kLongestWaitMs);
    return &step;
}

// Picks, from the top, cameras whose password is known until nine are.
void pickNine(Setup_SelectCamView &list)
{
    for (int row = 0; row < list.rowCount() && list.selectCamera() < ModelName::kCameraChannels; ++row) {
        if (list.rowSecured(row) == Secured::Known)
            list.onChangeSelected(row, 0);
    }
}

int firstRow(const Setup_SelectCamView &list, Secured secured)
{
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.rowSecured(row) == secured)
            return row;
    }
    return -1;
}

// The camera step with the password dialog of the first camera whose password
// is unknown; false where the step could not be entered.
bool openVerifyDialog(ShotWorld &world)
{
    Setup_SearchCamView *step = enterCameraStep(world);
    if (!step)
        return false;
    Setup_SelectCamView &list = step->selectCamViewController();
    list.onChangeSelected(firstRow(list, Secured::PasswordUnknown), 0);
    return true;
}

QTableWidget *cameraTable(ShotWorld &world)
{
    QWidget *page = world.window().findChild<QWidget *>(QStringLiteral("searchCamPage"));
    return page->findChild<QTableWidget *>(QStringLiteral("tableView"));
}

// Where the list's preview button puts the preview of a row.
QPoint previewOrigin(ShotWorld &world, int row)
{
    QTableWidget *table = cameraTable(world);
    const QRect cell = table->visualRect(table->model()->index(row, 2));
    return table->viewport()->mapToGlobal(QPoint(cell.right() + 1 - 130, cell.top()));
}

} // namespace

void addCameraShots(ShotList &shots)
{
    shots.append({QStringLiteral("diag-camera-verify"),
        QStringLiteral("camera step: the password of a camera whose password is unknown"), [](ShotWorld &world) {
            world.shell().showInstallView();
            world.openDialogWith<DiagVerifyPassword>(
                [](DiagVerifyPassword &dialog) { dialog.setDelegate(nullptr, reportedCamera(QString())); });
        }});
    shots.append({QStringLiteral("diag-camera-new-password"),
        QStringLiteral("camera step: a new password for a camera that has none"), [](ShotWorld &world) {
            world.shell().showInstallView();
            world.openDialogWith<DiagNewPassword>(
                [](DiagNewPassword &dialog) { dialog.setDelegate(nullptr, reportedCamera(QStringLiteral("admin"))); });
        }});
    shots.append({QStringLiteral("diag-camera-install"), QStringLiteral("camera step: how to connect a camera"),
        [](ShotWorld &world) {
            world.shell().showInstallView();
            world.openDialog<installCamera>();
        }});
}

void addCameraLanShots(ShotList &shots)
{
    shots.append({QStringLiteral("camera-lan-list"),
        QStringLiteral("camera step: the cameras the recorder found, nine picked, the others dimmed"),
        [](ShotWorld &world) {
            if (Setup_SearchCamView *step = enterCameraStep(world)) {
                pickNine(step->selectCamViewController());
                // The last rows: picked ones beside the dimmed ones.
                cameraTable(world)->scrollToBottom();
            }
        }});
    shots.append({QStringLiteral("camera-lan-verify"),
        QStringLiteral("camera step: the floating password dialog of a camera whose password is unknown"),
        [](ShotWorld &world) { openVerifyDialog(world); }});
    shots.append({QStringLiteral("camera-lan-wrong-password"),
        QStringLiteral(
            "camera step: a password the camera refused, its alert over the list, the row still needing one"),
        [](ShotWorld &world) {
            if (!openVerifyDialog(world))
                return;
            // Typed and saved in the dialog's own widgets, as a user would.
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *field = top->findChild<QLineEdit *>(QStringLiteral("edPwd"));
                auto *save = top->findChild<QPushButton *>(QStringLiteral("btSave"));
                if (!field || !save || !top->isVisible())
                    continue;
                field->setText(QStringLiteral("wrong-pw1"));
                emit field->textEdited(field->text());
                save->click();
                break;
            }
        }});
    shots.append({QStringLiteral("camera-lan-preview"),
        QStringLiteral("camera step: the preview of a camera beside its row, with the camera's image"),
        [](ShotWorld &world) {
            Setup_SearchCamView *step = enterCameraStep(world);
            if (!step)
                return;
            Setup_SelectCamView &list = step->selectCamViewController();
            const int row = firstRow(list, Secured::Known);
            if (row < 0)
                return;
            list.onChangeSelected(row, 0);
            DiagPreview &preview = world.openDialogWith<DiagPreview>([&](DiagPreview &dialog) {
                dialog.setOrigin(previewOrigin(world, row));
                dialog.startPreview(*list.cameraList()->at(row));
            });
            ShotWorld::waitUntil([&] { return !preview.image().isNull(); }, kLongestWaitMs);
        }});
    shots.append({QStringLiteral("camera-lan-none"), QStringLiteral("camera step: the recorder found no camera"),
        [](ShotWorld &world) { enterCameraStep(world); }});
}
