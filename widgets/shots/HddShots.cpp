#include "app/SetupView.h"
#include "core/HMLocalization.h"
#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddView.h"
#include "widgets/MainWindow.h"
#include "widgets/shots/ShotRoutes.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

// In the window: the search and the factory login of the password step, then
// the disk step with that login; shown once the recorder's first answer is in.
Setup_HddView *enterHddStep(ShotWorld &world)
{
    if (!enterPasswordStep(world))
        return nullptr;
    SetupView &setup = world.shell().contentSetupViewController();
    Setup_HddView &step = setup.hddViewController();
    step.setDelegate(&setup, setup.getSelectedDevice(), QStringLiteral("admin"), QString());
    setup.setupBox().show(&step);
    ShotWorld::waitUntil(
        [&] { return step.tableShown() && !step.messageViewController().isVisible(); }, kLongestWaitMs);
    return &step;
}

// Presses the format dialog's OK as soon as it is open.
void confirmFormatWhenAsked(QObject *owner)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QLatin1String("DiagHddFormat"))
            return;
        if (auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("btOk")))
            ok->click();
        poll->deleteLater();
    });
    poll->start(20);
}

QString text(const char *key)
{
    return HMLocalization::sharedInstance().localizedStringForKey(QString::fromLatin1(key));
}

} // namespace

void addHddShots(ShotList &shots)
{
    shots.append({QStringLiteral("diag-hdd-format"), QStringLiteral("hard-disk step: asked before formatting"),
        [](ShotWorld &world) {
            static DiagHddFormatDelegate nobody; // the picture hands the choice to no one
            auto marked = std::make_shared<THddInfo>();
            marked->setProduct(QStringLiteral("WD Purple 1TB"));
            marked->setChecked(true);
            world.shell().showInstallView();
            world.openDialog<DiagHddFormat>(nobody, THddInfoList {marked, std::make_shared<THddInfo>()});
        }});
    shots.append({QStringLiteral("diag-hdd-confirm"), QStringLiteral("hard-disk step: no disk in the recorder"),
        [](ShotWorld &world) {
            static DiagHddConfirmDelegate nobody;
            world.shell().showInstallView();
            world.openDialog<DiagHddConfirm>(nobody);
        }});
}

void addHddLanShots(ShotList &shots)
{
    shots.append(
        {QStringLiteral("hdd-lan-table"), QStringLiteral("hard-disk step: the bays as the recorder reports them"),
            [](ShotWorld &world) { enterHddStep(world); }});
    shots.append({QStringLiteral("hdd-lan-formatting"),
        QStringLiteral("hard-disk step: Next, OK in the format dialog, the recorder formatting"), [](ShotWorld &world) {
            Setup_HddView *step = enterHddStep(world);
            if (!step)
                return;
            confirmFormatWhenAsked(&world.window());
            step->onNextClicked();
            ShotWorld::waitUntil(
                [&] { return step->hddStep() == Setup_HddView::Formatting && !step->textField().isEmpty(); },
                kLongestWaitMs);
        }});
    shots.append({QStringLiteral("hdd-lan-fail"),
        QStringLiteral("hard-disk step: a format the recorder failed, its alert over the bays"), [](ShotWorld &world) {
            Setup_HddView *step = enterHddStep(world);
            if (!step)
                return;
            confirmFormatWhenAsked(&world.window());
            step->onNextClicked();
            // The recorder reports the disk in error once the format has failed.
            const QString diskError = text("SetupHdd disk error");
            ShotWorld::waitUntil(
                [&] {
                    return step->hddInformationViewController().rowStatus(0) == diskError
                        && !step->messageViewController().isVisible();
                },
                kLongestWaitMs);
        }});
}
