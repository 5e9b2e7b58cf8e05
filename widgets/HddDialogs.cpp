#include "widgets/HddDialogs.h"

#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "widgets/DialogLayout.h"
#include "widgets/RichText.h"

HddFormatDialog::HddFormatDialog(DiagHddFormat &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    addText(*layout, emphasisedHtml(diag.lbText(), QString()));
    QStringList disks;
    for (const QString &disk : diag.lbDisks())
        disks << QStringLiteral("<b>%1</b>").arg(disk.toHtmlEscaped());
    addText(*layout, diag.lbDisksTitle().toHtmlEscaped() + QStringLiteral("<br>") + disks.join(QStringLiteral("<br>")));
    QHBoxLayout *row = buttonRow(*layout);
    // Erasing is never the default: Return cancels.
    addButton(*row, QStringLiteral("btCancel"), diag.btCancelTitle(), &diag, &DiagHddFormat::btCancel)
        ->setDefault(true);
    addButton(*row, QStringLiteral("btOk"), diag.btOkTitle(), &diag, &DiagHddFormat::btOk);
}

HddConfirmDialog::HddConfirmDialog(DiagHddConfirm &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbText1());
    addText(*layout, emphasisedHtml(diag.lbText2(), QString()));
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btCancel"), diag.btCancelTitle(), &diag, &DiagHddConfirm::btCancel);
    addButton(*row, QStringLiteral("btOk"), diag.btOkTitle(), &diag, &DiagHddConfirm::btOk)->setDefault(true);
}
