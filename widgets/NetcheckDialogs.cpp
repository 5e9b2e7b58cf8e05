#include "widgets/NetcheckDialogs.h"

#include "steps/DiagCheckNVRInternet.h"
#include "steps/DiagUnreachable.h"
#include "widgets/DialogLayout.h"
#include "widgets/RichText.h"

CheckNvrInternetDialog::CheckNvrInternetDialog(DiagCheckNVRInternet &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    addText(*layout, emphasisedHtml(diag.lbText(), QString()));
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btCancel"), diag.btCancelTitle(), &diag, [&diag] { diag.btCancel(); });
    addButton(*row, QStringLiteral("btOK"), diag.btOKTitle(), &diag, [&diag] { diag.btOK(); })->setDefault(true);
}

UnreachableDialog::UnreachableDialog(DiagUnreachable &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    addText(*layout, diag.lbDiagnosis().toHtmlEscaped());
    addText(*layout, QStringLiteral("<b>%1</b>").arg(diag.lbQuestion().toHtmlEscaped()));
    QHBoxLayout *row = buttonRow(*layout);
    // Going on changes a recorder that will stop answering: Return does not.
    addButton(*row, QStringLiteral("btCancel"), diag.btCancelTitle(), &diag, &DiagUnreachable::btCancel)
        ->setDefault(true);
    addButton(*row, QStringLiteral("btGoOn"), diag.btGoOnTitle(), &diag, &DiagUnreachable::btGoOn);
}
