#pragma once

#include "core/DialogController.h"

// The About dialog: model, program version and the legal note.
class DiagAbout : public DialogController
{
    Q_OBJECT
public:
    using DialogController::DialogController;

    QString dialogKind() const override { return QStringLiteral("DiagAbout"); }
    void windowDidLoad() override;
    void windowWillClose() override;

    void onCloseClicked();

    QString lbTitle() const;
    QString lbVersion() const;
    QString lbWarning() const;
    QString btClose() const;
};
