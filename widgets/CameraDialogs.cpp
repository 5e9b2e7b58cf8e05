#include "widgets/CameraDialogs.h"

#include "steps/DiagNewPassword.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/installCamera.h"
#include "widgets/DialogLayout.h"
#include "widgets/RichText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextLayout>

namespace {

// A check box does not wrap its text: its lines are broken here, as a label would break them.
constexpr int kShareTextWidth = 400;

QString wrapped(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(kShareTextWidth);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

QLineEdit *passwordField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    return field;
}

// Heading, the camera it is about, the fields, the box that shares the
// password with the other cameras, Cancel and Save (the default, which the
// Return key in a field presses).
QFormLayout *passwordLayout(
    QDialog &dialog, CameraPasswordDialog &diag, const QString &title, QPushButton **save, QPushButton **cancel)
{
    QVBoxLayout *layout = dialogLayout(dialog, diag.dialogKind(), title);
    auto *camera = new QLabel(diag.lbCamera(), &dialog);
    camera->setObjectName(QStringLiteral("lbCamera"));
    layout->addWidget(camera);
    auto *fields = new QFormLayout;
    layout->addLayout(fields);
    auto *share = new QCheckBox(&dialog);
    share->setText(wrapped(diag.cbShareTitle(), share->font()));
    share->setAccessibleName(diag.cbShareTitle());
    share->setObjectName(QStringLiteral("cbShare"));
    share->setChecked(diag.shareForOthers());
    QObject::connect(share, &QCheckBox::toggled, &diag, &CameraPasswordDialog::setShareForOthers);
    layout->addWidget(share);
    QHBoxLayout *row = buttonRow(*layout);
    *cancel = new QPushButton(diag.btCancelTitle(), &dialog);
    (*cancel)->setObjectName(QStringLiteral("btCancel"));
    *save = new QPushButton(diag.btSaveTitle(), &dialog);
    (*save)->setObjectName(QStringLiteral("btSave"));
    (*save)->setDefault(true);
    row->addWidget(*cancel);
    row->addWidget(*save);
    return fields;
}

} // namespace

VerifyPasswordDialog::VerifyPasswordDialog(DiagVerifyPassword &diag, QWidget *parent)
    : FloatingDialog(diag, parent)
    , m_diag(diag)
    , m_password(passwordField(QStringLiteral("edPwd"), this))
{
    QFormLayout *fields = passwordLayout(*this, diag, diag.lbTitle(), &m_save, &m_cancel);
    fields->addRow(diag.lbPwd(), m_password);
    m_password->setText(diag.passwordText());
    connect(m_password, &QLineEdit::textEdited, &diag, &DiagVerifyPassword::setPasswordText);
    connect(m_save, &QPushButton::clicked, &diag, &DiagVerifyPassword::onSaveClicked);
    connect(m_cancel, &QPushButton::clicked, &diag, &DiagVerifyPassword::onCancelClicked);
    connect(&diag, &DialogController::changed, this, &VerifyPasswordDialog::refresh);
    refresh();
}

void VerifyPasswordDialog::refresh()
{
    m_password->setEnabled(m_diag.inputsEnabled());
    m_save->setEnabled(m_diag.inputsEnabled());
    m_cancel->setEnabled(m_diag.cancelEnabled());
}

NewPasswordDialog::NewPasswordDialog(DiagNewPassword &diag, QWidget *parent)
    : FloatingDialog(diag, parent)
    , m_diag(diag)
    , m_password(passwordField(QStringLiteral("edNewPwd"), this))
    , m_repeat(passwordField(QStringLiteral("edRePwd"), this))
{
    QFormLayout *fields = passwordLayout(*this, diag, diag.lbTitle(), &m_save, &m_cancel);
    fields->addRow(diag.lbNewPwd(), m_password);
    fields->addRow(diag.lbRePwd(), m_repeat);
    m_password->setText(diag.newPasswordText());
    m_repeat->setText(diag.repeatText());
    connect(m_password, &QLineEdit::textEdited, &diag, &DiagNewPassword::setNewPasswordText);
    connect(m_repeat, &QLineEdit::textEdited, &diag, &DiagNewPassword::setRepeatText);
    connect(m_save, &QPushButton::clicked, &diag, &DiagNewPassword::onSaveClicked);
    connect(m_cancel, &QPushButton::clicked, &diag, &DiagNewPassword::onCaneclClicked);
    connect(&diag, &DialogController::changed, this, &NewPasswordDialog::refresh);
    refresh();
}

void NewPasswordDialog::refresh()
{
    m_password->setEnabled(m_diag.inputsEnabled());
    m_repeat->setEnabled(m_diag.inputsEnabled());
    m_save->setEnabled(m_diag.inputsEnabled());
    m_cancel->setEnabled(m_diag.cancelEnabled());
}

InstallCameraDialog::InstallCameraDialog(installCamera &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    addText(*layout, emphasisedHtml(diag.lbText(), QString()));
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btOk"), diag.btOkTitle(), &diag, &installCamera::btOk)->setDefault(true);
}
