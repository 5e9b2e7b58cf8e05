#include "steps/Setup_ConfirmPasswordView.h"

#include "steps/PasswordMessages.h"
#include "steps/PasswordRules.h"

using namespace PasswordRules;

namespace {

bool acceptable(const QString &password)
{
    return lengthWithin(password, 2, 31) && !hasSpace(password) && !hasSpecial(password) && fitsLanSlot(password);
}

} // namespace

Setup_ConfirmPasswordView::Setup_ConfirmPasswordView(WizardContext &context, QObject *parent)
    : StepForm(context, parent)
{
}

void Setup_ConfirmPasswordView::clear()
{
    m_password.clear();
    m_newPassword.clear();
    m_confirm.clear();
    m_message.clear();
    m_newMessage.clear();
    m_changePassword = false;
    emit changed();
}

void Setup_ConfirmPasswordView::setPasswordText(const QString &text)
{
    m_password = text;
    clearMessages();
}

void Setup_ConfirmPasswordView::setNewPasswordText(const QString &text)
{
    m_newPassword = text;
    clearMessages();
}

void Setup_ConfirmPasswordView::setConfirmText(const QString &text)
{
    m_confirm = text;
    clearMessages();
}

void Setup_ConfirmPasswordView::setChangePasswordChecked(bool checked)
{
    m_changePassword = checked;
    emit changed();
}

void Setup_ConfirmPasswordView::clearMessages()
{
    m_message.clear();
    m_newMessage.clear();
    emit changed();
}

bool Setup_ConfirmPasswordView::checkPassword()
{
    if (m_password.isEmpty() || !acceptable(m_password)) {
        showCheckPasswordMsg(text(PasswordMessages::kInvalid));
        return false;
    }
    return true;
}

bool Setup_ConfirmPasswordView::checkNewPassword()
{
    if (m_newPassword.isEmpty() || m_confirm.isEmpty())
        showNewPasswordMsg(PasswordMessages::kEmpty);
    else if (!acceptable(m_newPassword))
        showNewPasswordMsg(PasswordMessages::kInvalid);
    else if (m_confirm != m_newPassword)
        showNewPasswordMsg(PasswordMessages::kMismatch);
    else
        return true;
    return false;
}

void Setup_ConfirmPasswordView::showCheckPasswordMsg(const QString &message)
{
    m_message = PasswordMessages::asError(context(), message);
    emit changed();
}

void Setup_ConfirmPasswordView::showNewPasswordMsg(const QString &key)
{
    m_newMessage = text(key);
    emit changed();
}

QString Setup_ConfirmPasswordView::lbText() const
{
    return text(QStringLiteral("SetupSetPwd_Text2"));
}

QString Setup_ConfirmPasswordView::lbPassword() const
{
    return text(QStringLiteral("SetupSetPwd_Pwd"));
}

QString Setup_ConfirmPasswordView::lbNewPassword() const
{
    return text(QStringLiteral("APP_NewPwd"));
}

QString Setup_ConfirmPasswordView::lbConfirmPassword() const
{
    return text(QStringLiteral("APP_ConfPwd"));
}

QString Setup_ConfirmPasswordView::cbChangePasswordTitle() const
{
    return text(QStringLiteral("SetupSetPwd ChangePwd"));
}

QString Setup_ConfirmPasswordView::btSearchCamera() const
{
    return text(QStringLiteral("SetupSetPwd BtnSearch"));
}

QString Setup_ConfirmPasswordView::btForgotPassword() const
{
    return text(QStringLiteral("SetupSetPwd Forgot"));
}

QString Setup_ConfirmPasswordView::btResetNote() const
{
    return text(QStringLiteral("SetupSetPwd ResetNote"));
}
