#include "steps/Setup_ConfirmPasswordView.h"

#include "steps/PasswordMessages.h"

namespace {

// The confirm form takes passwords from two characters on.
constexpr int kMinLength = 2;

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
    m_failure.clear();
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
    m_failure.clear();
    m_newMessage.clear();
    emit changed();
}

bool Setup_ConfirmPasswordView::checkPassword()
{
    const QString failure = m_password.isEmpty()
        ? text(PasswordMessages::kEmptyOne)
        : PasswordMessages::ruleBroken(context(), m_password, kMinLength, PasswordMessages::Order::LengthFirst);
    if (failure.isEmpty())
        return true;
    showCheckPasswordMsg(failure);
    return false;
}

bool Setup_ConfirmPasswordView::checkNewPassword()
{
    QString failure;
    if (m_newPassword.isEmpty() || m_confirm.isEmpty())
        failure = text(PasswordMessages::kEmpty);
    else
        failure
            = PasswordMessages::ruleBroken(context(), m_newPassword, kMinLength, PasswordMessages::Order::LengthFirst);
    if (failure.isEmpty() && m_confirm != m_newPassword)
        failure = text(PasswordMessages::kMismatch);
    if (failure.isEmpty())
        return true;
    showNewPasswordMsg(failure);
    return false;
}

void Setup_ConfirmPasswordView::showCheckPasswordMsg(const QString &message)
{
    m_failure = message;
    emit changed();
}

QString Setup_ConfirmPasswordView::lbMessage() const
{
    return m_failure.isEmpty() ? QString() : PasswordMessages::asError(context(), m_failure);
}

void Setup_ConfirmPasswordView::showNewPasswordMsg(const QString &message)
{
    m_newMessage = message;
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
