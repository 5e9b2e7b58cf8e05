#pragma once

#include "core/DialogController.h"

// The About dialog: model, program version and the legal note.
class DiagAbout : public DialogController
{
    Q_OBJECT
public:
    using DialogController::DialogController;

    void windowDidLoad() override;
    void windowWillClose() override;

    void onCloseClicked();

    QString lbTitle() const;
    QString lbVersion() const;
    QString lbWarning() const;
    QString btClose() const;
};
