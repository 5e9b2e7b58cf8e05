#include "steps/DiagNewPassword.h"
#include "steps/DiagPreview.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/installCamera.h"
#include "widgets/CameraDialogs.h"
#include "widgets/CameraPage.h"
#include "widgets/CameraPreviewDialog.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"

void registerCameraWidgets(WidgetFactory &factory)
{
    factory.registerPage(Setup_SearchCamView::kPageKey, [](PageController &page, QWidget *parent) {
        return new CameraPage(static_cast<Setup_SearchCamView &>(page), parent);
    });
    factory.registerDialog(QStringLiteral("DiagVerifyPassword"), [](DialogController &dialog, QWidget *parent) {
        return new VerifyPasswordDialog(static_cast<DiagVerifyPassword &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("DiagNewPassword"), [](DialogController &dialog, QWidget *parent) {
        return new NewPasswordDialog(static_cast<DiagNewPassword &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("DiagPreview"), [](DialogController &dialog, QWidget *parent) {
        return new CameraPreviewDialog(static_cast<DiagPreview &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("installCamera"), [](DialogController &dialog, QWidget *parent) {
        return new InstallCameraDialog(static_cast<installCamera &>(dialog), parent);
    });
}
