#include "widgets/ExitDialog.h"

#include "app/DiagExit.h"
#include "widgets/DialogLayout.h"

ExitDialog::ExitDialog(DiagExit &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    QStringList steps;
    for (const QString &step : diag.lbStepsDone())
        steps << QStringLiteral("<li>%1</li>").arg(step.toHtmlEscaped());
    addText(*layout,
        diag.lbText().toHtmlEscaped() + QStringLiteral("<ul>") + steps.join(QString()) + QStringLiteral("</ul>"));
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btLeave"), diag.btLeaveTitle(), &diag, &DiagExit::btLeave);
    // Staying is the safe answer: Return stays.
    addButton(*row, QStringLiteral("btStay"), diag.btStayTitle(), &diag, &DiagExit::btStay)->setDefault(true);
}
