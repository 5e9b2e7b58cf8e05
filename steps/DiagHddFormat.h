#pragma once

#include "core/DialogController.h"
#include "webconfig/records/THddInfo.h"

#include <QStringList>

// What the format confirmation hands back to the disk step.
class DiagHddFormatDelegate
{
public:
    virtual ~DiagHddFormatDelegate() = default;
    virtual void toFormat() { }
    virtual void notToFormat() { }
};

// Asks before the marked disks are formatted, naming them.
class DiagHddFormat : public DialogController
{
    Q_OBJECT
public:
    // disks: the table's rows, in bay order; the marked ones will be erased.
    DiagHddFormat(
        WizardContext &context, DiagHddFormatDelegate &delegate, const THddInfoList &disks, QObject *parent = nullptr);

    // The window's own close control cancels, so the step goes back to browsing.
    void windowWillClose() override { btCancel(); }

    void btOk();
    void btCancel();

    QString lbTitle() const { return text(QStringLiteral("SetupHdd_Diag_Text1")); }
    QString lbText() const { return text(QStringLiteral("SetupHdd_Diag_Text2")); }
    QString lbDisksTitle() const { return text(QStringLiteral("SetupHdd_Diag_Disks")); }
    // One line per disk to erase: its bay as the table numbers it, and its product.
    QStringList lbDisks() const;
    QString btOkTitle() const { return text(QStringLiteral("APP_Ok")); }
    QString btCancelTitle() const { return text(QStringLiteral("APP_Cancel")); }

private:
    void close();

    DiagHddFormatDelegate &theDelegate;
    THddInfoList m_disks;
};
