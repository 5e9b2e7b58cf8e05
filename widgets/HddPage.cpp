#include "widgets/HddPage.h"

#include "steps/Setup_HddView.h"
#include "widgets/Controls.h"
#include "widgets/HddTable.h"
#include "widgets/StepFrame.h"
#include "widgets/WaitingPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

HddPage::HddPage(Setup_HddView &step, QWidget *parent)
    : QWidget(parent)
    , m_step(step)
    , m_title(wrappedLabel(QStringLiteral("lbTitle"), this))
    , m_content(new QStackedWidget(this))
    , m_table(new HddTable(step.hddInformationViewController(), m_content))
    , m_empty(new QWidget(m_content))
    , m_waiting(new WaitingPanel(m_content))
    , m_skip(new QPushButton(this))
    , m_back(new QPushButton(this))
    , m_next(new QPushButton(this))
{
    setObjectName(QStringLiteral("hddPage"));
    m_progress.setProgressPos(step.progressStep());
    m_content->setObjectName(QStringLiteral("boxContent"));
    m_content->addWidget(m_table);
    m_content->addWidget(m_empty);
    m_content->addWidget(m_waiting);
    m_skip->setObjectName(QStringLiteral("btSkip"));
    layOutStep(*this, m_progress, m_title, m_content, m_skip, m_back, m_next);

    connect(m_skip, &QPushButton::clicked, this, [this] { m_step.onSkipClicked(); });
    connect(m_back, &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_HddView::changed, this, &HddPage::refresh);
    refresh();
}

void HddPage::refresh()
{
    m_title->setText(m_step.lbTitle());
    const Setup_MessageView &message = m_step.messageViewController();
    if (message.isVisible()) {
        m_waiting->setMessage(message.message());
        m_content->setCurrentWidget(m_waiting);
    } else {
        m_content->setCurrentWidget(m_step.tableShown() ? m_table : m_empty);
    }
    m_skip->setText(m_step.btSkipTitle());
    m_back->setText(m_step.btBackTitle());
    m_next->setText(m_step.btNextTitle());
    m_skip->setEnabled(m_step.btSkipEnabled());
    m_back->setEnabled(m_step.btBackEnabled());
    m_next->setEnabled(m_step.btNextEnabled());
}
