#include "widgets/PasswordPage.h"

#include "steps/Setup_PasswordView.h"
#include "widgets/Controls.h"
#include "widgets/PasswordForms.h"
#include "widgets/StepFrame.h"
#include "widgets/WaitingPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

PasswordPage::PasswordPage(Setup_PasswordView &step, QWidget *parent)
    : QWidget(parent)
    , m_step(step)
    , m_title(wrappedLabel(QStringLiteral("lbTitle"), this))
    , m_content(new QStackedWidget(this))
    , m_setForm(new SetPasswordForm(step.setForm(), m_content))
    , m_confirmForm(new ConfirmPasswordForm(step.confirmForm(), m_content))
    , m_waiting(new WaitingPanel(m_content))
    , m_reset(new QPushButton(this))
    , m_back(new QPushButton(this))
    , m_next(new QPushButton(this))
{
    setObjectName(QStringLiteral("passwordPage"));
    m_progress.setProgressPos(step.progressStep());
    m_content->setObjectName(QStringLiteral("boxContent"));
    m_content->addWidget(m_setForm);
    m_content->addWidget(m_confirmForm);
    m_content->addWidget(m_waiting);
    m_reset->setObjectName(QStringLiteral("btReset"));
    layOutStep(*this, m_progress, m_title, m_content, m_reset, m_back, m_next);

    connect(m_reset, &QPushButton::clicked, this, [this] { m_step.onResetClicked(); });
    connect(m_back, &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_PasswordView::changed, this, &PasswordPage::refresh);
    refresh();
}

void PasswordPage::refresh()
{
    m_title->setText(m_step.lbTitle());
    if (m_step.overlayShown()) {
        m_waiting->setMessage(m_step.overlayText());
        m_content->setCurrentWidget(m_waiting);
    } else {
        const bool confirm = m_step.content() == Setup_PasswordView::Content::ConfirmForm;
        m_content->setCurrentWidget(confirm ? m_confirmForm : m_setForm);
    }
    m_reset->setText(m_step.btResetTitle());
    m_back->setText(m_step.btBackTitle());
    m_next->setText(m_step.btNextTitle());
    m_reset->setVisible(m_step.btResetVisible());
    m_reset->setEnabled(m_step.btResetEnabled());
    m_back->setEnabled(m_step.btBackEnabled());
    m_next->setEnabled(m_step.btNextEnabled());
}
