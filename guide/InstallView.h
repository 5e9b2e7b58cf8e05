#pragma once

#include "core/LeftStepView.h"
#include "core/PageController.h"
#include "guide/DiagLEDStateRed.h"
#include "guide/DiagReset.h"
#include "guide/EmphasisedText.h"

#include <QString>

class ShellDelegate;

// The hardware installation guide: four sub-pages between the welcome page
// and the setup page (the second in two halves), and on the last one the way
// into the troubleshooting dialogs for a status light that stays red.
class InstallView : public PageController, public DiagLEDStateRedDelegate, public DiagResetDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("install");

    using PageController::PageController;

    // The picture views of the sub-pages.
    enum Picture {
        installImage,
        installImage_Router,
        installImage_HardDrive,
        SW580InstallImage_Left,
        SW580InstallImage_Right,
        SW580InstallImage_Left2,
        SW580InstallImage_Right2,
        SW580InstallImage_Right2_1,
        SW580InstallTextField_Left,
        SW580InstallTextField_Right,
    };

    QString pageKey() const override { return kPageKey; }
    // What the step counter is told on sub-page 0 to 3: "install0" to "install3".
    static QString subPageKey(int subPage) { return kPageKey + QString::number(subPage); }
    void viewDidAppear() override;

    void setDelegate(ShellDelegate *delegate) { theDelegate = delegate; }
    void onNextClicked();
    void onBackClicked();
    void onTipClicked();

    // DiagLEDStateRedDelegate
    void openResetWindow() override;
    // DiagResetDelegate
    void reOpenDiagLEDStateRED() override;
    void noteResettingClicked() override;

    // Presentation state of the shown sub-page.
    int subPage() const { return m_subPage; }
    int half() const { return m_half; }
    bool isPictureVisible(Picture picture) const { return m_visiblePictures & (1u << picture); }
    QString installImageName() const { return m_installImageName; }
    QString lbTitle() const { return m_lbTitle; }
    // On sub-page 3 the Next button's label is emphasised where it occurs.
    const EmphasisedText &lbTip1() const { return m_lbTip1; }
    bool isTipVisible() const { return m_tipVisible; }
    int progressPosition() const { return m_progress; }
    // The guide's own phase indicator (leftBox): it stays at the install phase.
    LeftStepView &leftStepViewController() { return m_leftStep; }
    QString btnBackTitle() const { return m_btnBack; }
    QString btnNextTitle() const { return m_btnNext; }
    QString btnTipTitle() const { return m_btnTip; }

private:
    void setLanguageText();
    void changeInstallImage();
    void goToNextStep();
    void openDiagLEDStateRed();
    void toOpenResetWindow();

    ShellDelegate *theDelegate = nullptr;
    // The position in the guide, kept while the page is away: 0 to 3, and the
    // half of sub-page 1 (0 or 1).
    int installSteps = 0;
    int installSteps_580 = 0;
    LeftStepView m_leftStep;

    int m_subPage = 0;
    int m_half = 0;
    unsigned m_visiblePictures = 0;
    QString m_installImageName;
    QString m_lbTitle;
    EmphasisedText m_lbTip1;
    bool m_tipVisible = false;
    int m_progress = 0;
    QString m_btnBack, m_btnNext, m_btnTip;
};
