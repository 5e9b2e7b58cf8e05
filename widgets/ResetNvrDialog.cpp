#include "widgets/ResetNvrDialog.h"

#include "steps/DiagResetNVR.h"
#include "widgets/DialogLayout.h"
#include "widgets/WizardStyle.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

ResetNvrDialog::ResetNvrDialog(DiagResetNVR &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    auto *account = new QLineEdit(diag.account(), this);
    account->setObjectName(QStringLiteral("edAccount"));
    auto *password = new QLineEdit(diag.password(), this);
    password->setObjectName(QStringLiteral("edPassword"));
    password->setEchoMode(QLineEdit::Password);
    account->setAccessibleName(diag.lbAccount());
    password->setAccessibleName(diag.lbPassword());
    password->setAccessibleDescription(diag.lbWarning());
    auto *fields = new QFormLayout;
    fields->addRow(diag.lbAccount(), account);
    fields->addRow(diag.lbPassword(), password);
    layout->addLayout(fields);

    auto *warning = new QLabel(diag.lbWarning(), this);
    warning->setObjectName(QStringLiteral("lbWarning"));
    warning->setWordWrap(true);
    warning->setVisible(!diag.lbWarning().isEmpty());
    setStyleState(*warning, "error", true);
    layout->addWidget(warning);

    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btCancel"), diag.btCancelTitle(), &diag, &DiagResetNVR::btCancel);
    addButton(*row, QStringLiteral("btSvae"), diag.btOk(), &diag, &DiagResetNVR::btSvae)->setDefault(true);

    connect(account, &QLineEdit::textEdited, &diag, &DiagResetNVR::setAccount);
    // Return in either field presses OK, the dialog's default.
    connect(password, &QLineEdit::textEdited, &diag, &DiagResetNVR::setPassword);
}
