// Window mode as the program runs it; the wizard itself, so only in the lab.
#include "LabEnv.h"
#include "widgets/WindowMode.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kGiveUpMs = 15000;
constexpr int kExitCodeGaveUp = 3;

enum class Stage { Welcome, Guide, Exited };
Stage stage = Stage::Welcome;

QPushButton *visibleButton(const char *name)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("mainWindow") || !top->isVisible())
            continue;
        auto *button = top->findChild<QPushButton *>(QString::fromLatin1(name));
        if (button && button->isVisible())
            return button;
    }
    return nullptr;
}

// Plays the user from inside the wizard's own event loop once it is running.
void driveTheWindow()
{
    QTimer::singleShot(kGiveUpMs, qApp, [] { QCoreApplication::exit(kExitCodeGaveUp); });
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, qApp, [] {
        if (stage == Stage::Welcome) {
            if (QPushButton *start = visibleButton("btnStart")) {
                stage = Stage::Guide;
                start->click();
            }
        } else if (stage == Stage::Guide && visibleButton("btnNext")) {
            if (QPushButton *exit = visibleButton("exit")) {
                stage = Stage::Exited;
                exit->click();
            }
        }
    });
    poll->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(driveTheWindow)

int main(int argc, char *argv[])
{
    if (!LabEnv::fromEnvironment().inLab()) {
        std::puts("SKIP: runs the wizard, so only inside the network lab (scripts/netlab.sh -- ctest ...)");
        return 77;
    }
    const int code = runWindowMode(argc, argv);
    if (code != 0 || stage != Stage::Exited) {
        std::fprintf(stderr, "window mode ended with %d at stage %d\n", code, int(stage));
        return 1;
    }
    std::puts("window mode: welcome, guide, Exit: ended with 0");
    return 0;
}
