#include "steps/Setup_SetPasswordView.h"

#include "steps/PasswordMessages.h"

Setup_SetPasswordView::Setup_SetPasswordView(WizardContext &context, QObject *parent)
    : StepForm(context, parent)
{
}

void Setup_SetPasswordView::clear()
{
    m_password.clear();
    m_confirm.clear();
    m_failure.clear();
    m_marked = Field::None;
    emit changed();
}

void Setup_SetPasswordView::setPasswordText(const QString &text)
{
    m_password = text;
    emit changed();
}

void Setup_SetPasswordView::setConfirmText(const QString &text)
{
    m_confirm = text;
    emit changed();
}

void Setup_SetPasswordView::passwordFieldDidEndEditing()
{
    if (m_password.isEmpty())
        return;
    const QString failure = passwordCharactersAndLength();
    if (!failure.isEmpty())
        showMessage(failure);
}

QString Setup_SetPasswordView::passwordCharactersAndLength() const
{
    return PasswordMessages::ruleBroken(context(), m_password, 6, PasswordMessages::Order::CharactersFirst);
}

bool Setup_SetPasswordView::checkPassword()
{
    // An empty field asks for the password rather than naming a rule.
    QString failure = m_password.isEmpty() ? text(PasswordMessages::kEmpty) : passwordCharactersAndLength();
    if (failure.isEmpty() && m_confirm.isEmpty())
        failure = text(PasswordMessages::kEmpty);
    if (failure.isEmpty() && m_confirm != m_password)
        failure = text(PasswordMessages::kMismatch);
    if (failure.isEmpty())
        return true;
    showMessage(failure);
    return false;
}

void Setup_SetPasswordView::showMessage(const QString &message)
{
    m_failure = message;
    m_marked = message == text(PasswordMessages::kMismatch) ? Field::Confirmation : Field::Password;
    emit changed();
}

QString Setup_SetPasswordView::lbMessage() const
{
    return m_failure.isEmpty() ? QString() : PasswordMessages::asError(context(), m_failure);
}

QString Setup_SetPasswordView::lbText() const
{
    return text(QStringLiteral("SetupSetPwd_Text1"));
}

QString Setup_SetPasswordView::lbPassword() const
{
    return text(QStringLiteral("SetupSetPwd_Pwd"));
}

QString Setup_SetPasswordView::lbConfirmPassword() const
{
    return text(QStringLiteral("APP_ConfPwd"));
}
