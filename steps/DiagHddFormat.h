#pragma once

#include "app/DialogController.h"

// What the format confirmation hands back to the disk step.
class DiagHddFormatDelegate
{
public:
    virtual ~DiagHddFormatDelegate() = default;
    virtual void toFormat() { }
    virtual void notToFormat() { }
};

// Asks before the marked disks are formatted.
class DiagHddFormat : public DialogController
{
    Q_OBJECT
public:
    DiagHddFormat(WizardContext &context, DiagHddFormatDelegate &delegate, QObject *parent = nullptr);

    QString dialogKind() const override { return QStringLiteral("DiagHddFormat"); }
    // The window's own close control cancels, so the step goes back to browsing.
    void windowWillClose() override { btCancel(); }

    void btOk();
    void btCancel();

    QString lbTitle() const { return text(QStringLiteral("SetupHdd_Diag_Text1")); }
    QString lbText() const { return text(QStringLiteral("SetupHdd_Diag_Text2")); }
    QString btOkTitle() const { return text(QStringLiteral("APP_Ok")); }
    QString btCancelTitle() const { return text(QStringLiteral("APP_Cancel")); }

private:
    void close();

    DiagHddFormatDelegate &theDelegate;
};
