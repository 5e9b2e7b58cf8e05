#include "guide/InstallView.h"

#include "core/ModalHost.h"
#include "core/ShellDelegate.h"
#include "core/TextFormat.h"
#include "platform/Durations.h"
#include "platform/Log.h"
#include "platform/ModelName.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr unsigned bit(InstallView::Picture picture)
{
    return 1u << picture;
}

struct SubPage
{
    unsigned pictures;
    const char *image; // what installImage holds
    const char *titleKey;
    const char *textKey; // a format with the model name
    bool tip;
};

// Sub-page 0, both halves of sub-page 1, sub-pages 2 and 3; the progress bar
// shows the sub-page number.
const SubPage kSubPages[] = {
    {bit(InstallView::installImage_Router) | bit(InstallView::installImage_HardDrive), "install_hddAndRouter.png",
        "Install_Title2", "Install_Text0_540A", false},
    {bit(InstallView::installImage), "HRX_540A_1.png", "Install_Title3", "Install_Text1.1", false},
    {bit(InstallView::installImage), "1_power.png", "Install_Title", "Install_Text1", false},
    {bit(InstallView::installImage) | bit(InstallView::SW580InstallImage_Left)
            | bit(InstallView::SW580InstallImage_Right),
        "", "Install_Title", "Install_Text2", false},
    {bit(InstallView::installImage) | bit(InstallView::SW580InstallImage_Left2)
            | bit(InstallView::SW580InstallImage_Right2) | bit(InstallView::SW580InstallImage_Right2_1),
        "white", "Install_Title", "Install_Text3", true},
};

const SubPage &subPageAt(int installSteps, int half)
{
    const int row = installSteps <= 0 ? 0
        : installSteps == 1           ? 1 + std::clamp(half, 0, 1)
                                      : std::min(installSteps, 3) + 1;
    return kSubPages[row];
}

} // namespace

void InstallView::viewDidAppear()
{
    m_lbTitle = text(QStringLiteral("Install_Title2"));
    setLanguageText();
    // Half-way through sub-page 1 starts over; sub-page 2 moves on to the last.
    if (installSteps == 1) {
        installSteps = 0;
        installSteps_580 = 0;
    } else if (installSteps == 2) {
        installSteps = 3;
        installSteps_580 = 1;
    }
    changeInstallImage();
}

void InstallView::setLanguageText()
{
    m_btnBack = text(QStringLiteral("APP_Back"));
    m_btnNext = text(QStringLiteral("APP_Next2"));
    m_btnTip = fillFormat(text(QStringLiteral("Install_Diag_Text1")), {ModelName::kNvr});
}

void InstallView::changeInstallImage()
{
    Log::format("%s installSteps = %d installSteps_580 = %d", "-[InstallView changeInstallImage]", installSteps,
        installSteps_580);
    const SubPage &page = subPageAt(installSteps, installSteps_580);
    m_subPage = std::clamp(installSteps, 0, 3);
    m_half = m_subPage == 1 ? std::clamp(installSteps_580, 0, 1) : 0;
    m_visiblePictures = page.pictures;
    m_installImageName = QString::fromLatin1(page.image);
    m_lbTitle = text(QString::fromLatin1(page.titleKey));
    const QString tip = fillFormat(text(QString::fromLatin1(page.textKey)), {ModelName::kNvr});
    m_lbTip1 = m_subPage == 3 ? EmphasisedText::find(tip, m_btnNext) : EmphasisedText {tip, QString()};
    m_tipVisible = page.tip;
    m_progress = m_subPage;
    postChangeReminder(subPageKey(m_subPage));
    emit changed();
}

void InstallView::onNextClicked()
{
    goToNextStep();
}

void InstallView::goToNextStep()
{
    if (installSteps == 1)
        ++installSteps_580;
    else
        ++installSteps;
    if (installSteps == 1 && installSteps_580 >= 2) {
        installSteps_580 = 1;
        ++installSteps;
    }
    if (installSteps >= 4) {
        installSteps = 3;
        changeInstallImage();
        if (theDelegate)
            theDelegate->showSetupView();
        return;
    }
    changeInstallImage();
}

void InstallView::onBackClicked()
{
    if (installSteps == 1)
        --installSteps_580;
    else
        --installSteps;
    if (installSteps == 1 && installSteps_580 < 0) {
        installSteps_580 = 0;
        --installSteps;
    }
    if (installSteps >= 0) {
        changeInstallImage();
        return;
    }
    if (theDelegate)
        theDelegate->showWelcomeView();
    installSteps = 0;
}

void InstallView::onTipClicked()
{
    openDiagLEDStateRed();
}

void InstallView::openDiagLEDStateRed()
{
    DiagLEDStateRed dialog(context());
    dialog.setDelegate(this);
    context().modal.runModal(dialog);
}

void InstallView::openResetWindow()
{
    QTimer::singleShot(durations().chainedDialogMs, this, &InstallView::toOpenResetWindow);
}

void InstallView::toOpenResetWindow()
{
    DiagReset dialog(context());
    dialog.setDelegate(this);
    context().modal.runModal(dialog);
}

void InstallView::reOpenDiagLEDStateRED()
{
    QTimer::singleShot(durations().chainedDialogMs, this, &InstallView::openDiagLEDStateRed);
}

void InstallView::noteResettingClicked()
{
    // Both counters: a half left at 1 would skip the first half of sub-page 1.
    installSteps = 0;
    installSteps_580 = 0;
    if (theDelegate)
        theDelegate->showWelcomeView();
}
