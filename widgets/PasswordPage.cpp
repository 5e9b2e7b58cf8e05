#include "widgets/PasswordPage.h"

#include "steps/Setup_PasswordView.h"
#include "widgets/PasswordForms.h"

#include <QPushButton>

PasswordPage::PasswordPage(Setup_PasswordView &step, QWidget *parent)
    : StepPage(step, step.progressView(), parent, QStringLiteral("btReset"))
    , m_step(step)
    , m_setForm(new SetPasswordForm(step.setForm(), this))
    , m_confirmForm(new ConfirmPasswordForm(step.confirmForm(), this))
{
    setObjectName(QStringLiteral("passwordPage"));
    addContent(m_setForm);
    addContent(m_confirmForm);
    connect(leftButton(), &QPushButton::clicked, this, [this] { m_step.onResetClicked(); });
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_PasswordView::changed, this, &PasswordPage::refresh);
    refresh();
}

void PasswordPage::refresh()
{
    const bool confirm = m_step.content() == Setup_PasswordView::Content::ConfirmForm;
    showStep({m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(),
                 m_step.btNextEnabled(), m_step.btResetTitle(), m_step.btResetEnabled(), m_step.btResetVisible()},
        m_step.overlayShown(), m_step.overlayText(), confirm ? m_confirmForm : m_setForm);
}
