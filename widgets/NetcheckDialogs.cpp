#include "widgets/NetcheckDialogs.h"

#include "steps/DiagCheckNVRInternet.h"
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
