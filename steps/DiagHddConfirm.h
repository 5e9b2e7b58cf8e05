#pragma once

#include "core/DialogController.h"

// What the no-disk dialog hands back to the disk step.
class DiagHddConfirmDelegate
{
public:
    virtual ~DiagHddConfirmDelegate() = default;
    virtual void toRescan() { }
};

// Tells the user that the recorder holds no disk; every way out looks again.
class DiagHddConfirm : public DialogController
{
    Q_OBJECT
public:
    DiagHddConfirm(WizardContext &context, DiagHddConfirmDelegate &delegate, QObject *parent = nullptr);

    void windowWillClose() override { btOk(); }

    // Both buttons rescan.
    void btOk();
    void btCancel() { btOk(); }

    QString lbText1() const { return text(QStringLiteral("SetupHdd_Diag_Text3")); }
    QString lbText2() const { return text(QStringLiteral("SetupHdd_Diag_Text4")); }
    QString btOkTitle() const { return text(QStringLiteral("APP_Ok")); }
    QString btCancelTitle() const { return text(QStringLiteral("APP_Cancel")); }

private:
    DiagHddConfirmDelegate &theDelegate;
};
