#include "widgets/HddPage.h"

#include "steps/Setup_HddView.h"
#include "widgets/HddTable.h"

#include <QPushButton>

HddPage::HddPage(Setup_HddView &step, QWidget *parent)
    : StepPage(step, step.progressView(), parent, QStringLiteral("btSkip"))
    , m_step(step)
    , m_table(new HddTable(step.hddInformationViewController(), this))
{
    setObjectName(QStringLiteral("hddPage"));
    addContent(m_table);
    connect(leftButton(), &QPushButton::clicked, this, [this] { m_step.onSkipClicked(); });
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_HddView::changed, this, &HddPage::refresh);
    refresh();
}

void HddPage::refresh()
{
    showStep({m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(),
                 m_step.btNextEnabled(), m_step.btSkipTitle(), m_step.btSkipEnabled()},
        m_step.messageViewController(), m_step.tableShown() ? m_table : nullptr);
}
