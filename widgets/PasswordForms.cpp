#include "widgets/PasswordForms.h"

#include "steps/Setup_ConfirmPasswordView.h"
#include "steps/Setup_SetPasswordView.h"
#include "widgets/Controls.h"
#include "widgets/KeyboardUse.h"
#include "widgets/WizardStyle.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A field's name stays on one line beside its field.
QLabel *fieldLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QLabel *errorLabel(const QString &name, QWidget *parent)
{
    QLabel *message = wrappedLabel(name, parent);
    setStyleState(*message, "error", true);
    return message;
}

// Return in the field sends the form on by itself.
QLineEdit *passwordEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMinimumWidth(240);
    edit->setMaximumWidth(360);
    keepReturn(*edit);
    return edit;
}

void showMessage(QLabel &label, const QString &message)
{
    label.setText(message);
    label.setVisible(!message.isEmpty());
}

// A field is read by its label's text, and with the message about it.
void nameField(QLineEdit &field, const QString &label, const QString &message)
{
    field.setAccessibleName(label);
    field.setAccessibleDescription(message);
}

} // namespace

SetPasswordForm::SetPasswordForm(Setup_SetPasswordView &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
    , m_text(wrappedLabel(QStringLiteral("lbText"), this))
    , m_passwordLabel(fieldLabel(QStringLiteral("lbPassword"), this))
    , m_password(passwordEdit(QStringLiteral("edPassword"), this))
    , m_confirmLabel(fieldLabel(QStringLiteral("lbConfirmPassword"), this))
    , m_confirm(passwordEdit(QStringLiteral("edConfirmPassword"), this))
    , m_message(errorLabel(QStringLiteral("lbMessage"), this))
{
    setObjectName(QStringLiteral("setPasswordView"));
    auto *fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    fields->setHorizontalSpacing(16);
    fields->addRow(m_passwordLabel, m_password);
    fields->addRow(m_confirmLabel, m_confirm);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(14);
    layout->addWidget(m_text);
    layout->addLayout(fields);
    layout->addWidget(m_message);
    layout->addStretch();

    connect(m_password, &QLineEdit::textEdited, &form, &Setup_SetPasswordView::setPasswordText);
    connect(m_confirm, &QLineEdit::textEdited, &form, &Setup_SetPasswordView::setConfirmText);
    connect(m_password, &QLineEdit::editingFinished, &form, &Setup_SetPasswordView::passwordFieldDidEndEditing);
    connect(m_password, &QLineEdit::returnPressed, &form, &Setup_SetPasswordView::returnPressed);
    connect(m_confirm, &QLineEdit::returnPressed, &form, &Setup_SetPasswordView::returnPressed);
    connect(&form, &Setup_SetPasswordView::changed, this, &SetPasswordForm::refresh);
    refresh();
}

void SetPasswordForm::refresh()
{
    m_text->setText(m_form.lbText());
    m_passwordLabel->setText(m_form.lbPassword());
    m_confirmLabel->setText(m_form.lbConfirmPassword());
    showText(*m_password, m_form.edPassword());
    showText(*m_confirm, m_form.edConfirmPassword());
    showMessage(*m_message, m_form.lbMessage());
    using Field = Setup_SetPasswordView::Field;
    nameField(
        *m_password, m_form.lbPassword(), m_form.markedField() == Field::Password ? m_form.lbMessage() : QString());
    nameField(*m_confirm, m_form.lbConfirmPassword(),
        m_form.markedField() == Field::Confirmation ? m_form.lbMessage() : QString());
    setStyleState(*m_password, "marked", m_form.markedField() == Field::Password);
    setStyleState(*m_confirm, "marked", m_form.markedField() == Field::Confirmation);
    m_password->setEnabled(m_form.inputsEnabled());
    m_confirm->setEnabled(m_form.inputsEnabled());
}

ConfirmPasswordForm::ConfirmPasswordForm(Setup_ConfirmPasswordView &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
    , m_text(wrappedLabel(QStringLiteral("lbText"), this))
    , m_passwordLabel(fieldLabel(QStringLiteral("lbPassword"), this))
    , m_password(passwordEdit(QStringLiteral("edPassword"), this))
    , m_message(errorLabel(QStringLiteral("lbMessage"), this))
    , m_change(new QCheckBox(this))
    , m_newLabel(fieldLabel(QStringLiteral("lbNewPassword"), this))
    , m_newPassword(passwordEdit(QStringLiteral("edNewPassword"), this))
    , m_confirmLabel(fieldLabel(QStringLiteral("lbConfirmPassword"), this))
    , m_confirm(passwordEdit(QStringLiteral("edConfirmPassword"), this))
    , m_newMessage(errorLabel(QStringLiteral("lbNewMessage"), this))
    , m_searchCamera(new QPushButton(this))
    , m_forgot(linkButton(QStringLiteral("btForgotPassword"), this))
    , m_resetNote(linkButton(QStringLiteral("btResetNote"), this))
{
    setObjectName(QStringLiteral("confirmPasswordView"));
    m_change->setObjectName(QStringLiteral("cbChangePassword"));
    m_searchCamera->setObjectName(QStringLiteral("btSearchCamera"));

    // One grid, so the current and the new password fields line up.
    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(16);
    fields->setVerticalSpacing(10);
    fields->addWidget(m_passwordLabel, 0, 0);
    fields->addWidget(m_password, 0, 1, Qt::AlignLeading);
    fields->addWidget(m_message, 1, 0, 1, 3);
    fields->addWidget(m_change, 2, 0, 1, 3);
    fields->addWidget(m_newLabel, 3, 0);
    fields->addWidget(m_newPassword, 3, 1, Qt::AlignLeading);
    fields->addWidget(m_confirmLabel, 4, 0);
    fields->addWidget(m_confirm, 4, 1, Qt::AlignLeading);
    fields->addWidget(m_newMessage, 5, 0, 1, 3);
    fields->setColumnStretch(2, 1);

    auto *links = new QHBoxLayout;
    links->addWidget(m_forgot);
    links->addWidget(m_resetNote);
    links->addStretch();
    links->addWidget(m_searchCamera);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(m_text);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(links);

    connect(m_password, &QLineEdit::textEdited, &form, &Setup_ConfirmPasswordView::setPasswordText);
    connect(m_newPassword, &QLineEdit::textEdited, &form, &Setup_ConfirmPasswordView::setNewPasswordText);
    connect(m_confirm, &QLineEdit::textEdited, &form, &Setup_ConfirmPasswordView::setConfirmText);
    for (QLineEdit *edit : {m_password, m_newPassword, m_confirm})
        connect(edit, &QLineEdit::returnPressed, &form, &Setup_ConfirmPasswordView::returnPressed);
    connect(m_change, &QCheckBox::clicked, &form, &Setup_ConfirmPasswordView::setChangePasswordChecked);
    connect(m_searchCamera, &QPushButton::clicked, &form, &Setup_ConfirmPasswordView::onSearchCameraClicked);
    connect(m_forgot, &QPushButton::clicked, &form, &Setup_ConfirmPasswordView::onForgotPasswordClicked);
    connect(m_resetNote, &QPushButton::clicked, &form, &Setup_ConfirmPasswordView::onResetNoteClicked);
    connect(&form, &Setup_ConfirmPasswordView::changed, this, &ConfirmPasswordForm::refresh);
    refresh();
}

void ConfirmPasswordForm::refresh()
{
    m_text->setText(m_form.lbText());
    m_passwordLabel->setText(m_form.lbPassword());
    m_newLabel->setText(m_form.lbNewPassword());
    m_confirmLabel->setText(m_form.lbConfirmPassword());
    m_change->setText(m_form.cbChangePasswordTitle());
    m_searchCamera->setText(m_form.btSearchCamera());
    m_forgot->setText(m_form.btForgotPassword());
    m_resetNote->setText(m_form.btResetNote());

    showText(*m_password, m_form.edPassword());
    showText(*m_newPassword, m_form.edNewPassword());
    showText(*m_confirm, m_form.edConfirmPassword());
    showMessage(*m_message, m_form.lbMessage());
    setStyleState(*m_password, "marked", m_form.passwordFieldMarked());
    m_change->setChecked(m_form.getChangePasswordChecked());
    const bool changing = m_form.newPasswordFieldsVisible();
    for (QWidget *field : std::initializer_list<QWidget *> {m_newLabel, m_newPassword, m_confirmLabel, m_confirm})
        field->setVisible(changing);
    showMessage(*m_newMessage, changing ? m_form.lbNewMessage() : QString());
    nameField(*m_password, m_form.lbPassword(), m_form.lbMessage());
    nameField(*m_newPassword, m_form.lbNewPassword(), changing ? m_form.lbNewMessage() : QString());
    nameField(*m_confirm, m_form.lbConfirmPassword(), changing ? m_form.lbNewMessage() : QString());

    const bool enabled = m_form.inputsEnabled();
    for (QWidget *input : std::initializer_list<QWidget *> {
             m_password, m_change, m_newPassword, m_confirm, m_searchCamera, m_forgot, m_resetNote})
        input->setEnabled(enabled);
}
