#pragma once

#include "core/DialogController.h"

// How to connect a camera that the recorder did not find: a modal
// information window with one button.
class installCamera : public DialogController
{
    Q_OBJECT
public:
    using DialogController::DialogController;

    void btOk()
    {
        if (!isModalStopped())
            windowWillClose();
    }

    QString lbTitle() const { return text(QStringLiteral("SetupCam_Diag_InstallCam")); }
    QString lbText() const { return text(QStringLiteral("SetupCam_Diag_InstallCam_Text")); }
    QString btOkTitle() const { return text(QStringLiteral("APP_Ok")); }
};
