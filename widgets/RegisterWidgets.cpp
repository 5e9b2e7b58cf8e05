#include "widgets/RegisterWidgets.h"

#include "app/DiagAbout.h"
#include "app/DiagExit.h"
#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "app/WelcomeView.h"
#include "core/DiagShowEula.h"
#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"
#include "guide/InstallView.h"
#include "steps/DiagCheckNVRInternet.h"
#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/DiagNewPassword.h"
#include "steps/DiagPreview.h"
#include "steps/DiagResetNVR.h"
#include "steps/DiagUnreachable.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_TimeZoneView.h"
#include "steps/installCamera.h"
#include "widgets/AboutDialog.h"
#include "widgets/CameraDialogs.h"
#include "widgets/CameraPage.h"
#include "widgets/CameraPreviewDialog.h"
#include "widgets/EulaDialog.h"
#include "widgets/ExitDialog.h"
#include "widgets/GuideDialogs.h"
#include "widgets/HddDialogs.h"
#include "widgets/HddPage.h"
#include "widgets/InstallPage.h"
#include "widgets/NetcheckDialogs.h"
#include "widgets/NimboraPage.h"
#include "widgets/PasswordPage.h"
#include "widgets/ResetNvrDialog.h"
#include "widgets/SearchNvrPage.h"
#include "widgets/SetupPage.h"
#include "widgets/SummaryPage.h"
#include "widgets/TimeZonePage.h"
#include "widgets/WelcomePage.h"
#include "widgets/WidgetFactory.h"

void registerAllWidgets(WidgetFactory &factory)
{
    factory.addPage<WelcomeView, WelcomePage>();
    factory.addPage<InstallView, InstallPage>();
    // The setup page's steps come from the same factory.
    factory.addPage<SetupView>(
        [&factory](SetupView &page, QWidget *parent) { return new SetupPage(page, factory, parent); });
    factory.addPage<Setup_SearchNvrView, SearchNvrPage>();
    factory.addPage<Setup_PasswordView, PasswordPage>();
    factory.addPage<Setup_TimeZoneView, TimeZonePage>();
    factory.addPage<Setup_HddView, HddPage>();
    factory.addPage<Setup_SearchCamView, CameraPage>();
    factory.addPage<Setup_NimboraView, NimboraPage>();
    factory.addPage<SummaryView, SummaryPage>();

    factory.addDialog<DiagAbout, AboutDialog>();
    factory.addDialog<DiagExit, ExitDialog>();
    factory.addDialog<DiagShowEula, EulaDialog>();
    factory.addDialog<DiagLEDStateRed, LedStateRedDialog>();
    factory.addDialog<DiagReset, ResetDialog>();
    factory.addDialog<DiagMacAddress, MacAddressDialog>();
    factory.addDialog<DiagCheckNVRInternet, CheckNvrInternetDialog>();
    factory.addDialog<DiagUnreachable, UnreachableDialog>();
    factory.addDialog<DiagResetNVR, ResetNvrDialog>();
    factory.addDialog<DiagHddFormat, HddFormatDialog>();
    factory.addDialog<DiagHddConfirm, HddConfirmDialog>();
    factory.addDialog<DiagVerifyPassword, VerifyPasswordDialog>();
    factory.addDialog<DiagNewPassword, NewPasswordDialog>();
    factory.addDialog<DiagPreview, CameraPreviewDialog>();
    factory.addDialog<installCamera, InstallCameraDialog>();
}
