#include "widgets/CameraPage.h"

#include "steps/Setup_SearchCamView.h"
#include "widgets/CameraTable.h"
#include "widgets/Controls.h"
#include "widgets/StepFrame.h"
#include "widgets/WaitingPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

CameraPage::CameraPage(Setup_SearchCamView &step, QWidget *parent)
    : QWidget(parent)
    , m_step(step)
    , m_title(wrappedLabel(QStringLiteral("lbTitle"), this))
    , m_content(new QStackedWidget(this))
    , m_list(new CameraTable(step.selectCamViewController(), m_content))
    , m_empty(new QWidget(m_content))
    , m_waiting(new WaitingPanel(m_content))
    , m_rescan(new QPushButton(this))
    , m_back(new QPushButton(this))
    , m_next(new QPushButton(this))
{
    setObjectName(QStringLiteral("searchCamPage"));
    m_progress.setProgressPos(step.progressStep());
    m_content->setObjectName(QStringLiteral("boxContent"));
    m_content->addWidget(m_list);
    m_content->addWidget(m_empty);
    m_content->addWidget(m_waiting);
    m_rescan->setObjectName(QStringLiteral("btRescan"));
    layOutStep(*this, m_progress, m_title, m_content, m_rescan, m_back, m_next);

    connect(m_rescan, &QPushButton::clicked, this, [this] { m_step.onRescanClicked(); });
    connect(m_back, &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_SearchCamView::changed, this, &CameraPage::refresh);
    refresh();
}

void CameraPage::refresh()
{
    m_title->setText(m_step.lbTitle());
    const Setup_MessageView &message = m_step.messageViewController();
    m_waiting->setMessage(message.message());
    if (message.isVisible())
        m_content->setCurrentWidget(m_waiting);
    else
        m_content->setCurrentWidget(m_step.listShown() ? static_cast<QWidget *>(m_list) : m_empty);
    m_list->showNoDevice(m_step.textField(), m_step.textFieldShown());
    m_rescan->setText(m_step.btRescanTitle());
    m_back->setText(m_step.btBackTitle());
    m_next->setText(m_step.btNextTitle());
    m_rescan->setEnabled(m_step.btRescanEnabled());
    m_back->setEnabled(m_step.btBackEnabled());
    m_next->setEnabled(m_step.btNextEnabled());
}
