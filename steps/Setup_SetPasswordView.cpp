#include "steps/Setup_SetPasswordView.h"

#include "steps/PasswordMessages.h"
#include "steps/PasswordRules.h"

using namespace PasswordRules;

Setup_SetPasswordView::Setup_SetPasswordView(WizardContext &context, QObject *parent)
    : StepForm(context, parent)
{
}

void Setup_SetPasswordView::clear()
{
    m_password.clear();
    m_confirm.clear();
    m_message.clear();
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
        showMessage(text(failure));
}

QString Setup_SetPasswordView::passwordCharactersAndLength() const
{
    if (hasSpecial(m_password) || hasSpace(m_password) || !lengthWithin(m_password, 6, 31) || !fitsLanSlot(m_password))
        return PasswordMessages::kInvalid;
    return {};
}

bool Setup_SetPasswordView::checkPassword()
{
    QString failure = passwordCharactersAndLength();
    if (failure.isEmpty() && (m_password.isEmpty() || m_confirm.isEmpty()))
        failure = PasswordMessages::kEmpty;
    if (failure.isEmpty() && m_confirm != m_password)
        failure = PasswordMessages::kMismatch;
    if (failure.isEmpty())
        return true;
    showMessage(text(failure));
    return false;
}

void Setup_SetPasswordView::showMessage(const QString &message)
{
    m_message = PasswordMessages::asError(context(), message);
    m_marked = message == text(PasswordMessages::kMismatch) ? Field::Confirmation : Field::Password;
    emit changed();
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
