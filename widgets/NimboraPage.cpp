#include "widgets/NimboraPage.h"

#include "steps/Setup_NimboraView.h"
#include "widgets/NimboraForm.h"

#include <QPushButton>

NimboraPage::NimboraPage(Setup_NimboraView &step, QWidget *parent)
    : StepPage(step, step.progressView(), parent)
    , m_step(step)
    , m_form(new NimboraForm(step.contentViewController(), this))
{
    setObjectName(QStringLiteral("nimboraPage"));
    addContent(m_form);
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_NimboraView::changed, this, &NimboraPage::refresh);
    refresh();
}

void NimboraPage::refresh()
{
    showStep(
        {m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(), m_step.btNextEnabled()},
        m_step.messageViewController(), m_step.formShown() ? m_form : nullptr);
}
