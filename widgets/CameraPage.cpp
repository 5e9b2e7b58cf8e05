#include "widgets/CameraPage.h"

#include "steps/Setup_SearchCamView.h"
#include "widgets/CameraTable.h"

#include <QPushButton>

CameraPage::CameraPage(Setup_SearchCamView &step, QWidget *parent)
    : StepPage(step, step.progressView(), parent, QStringLiteral("btRescan"))
    , m_step(step)
    , m_list(new CameraTable(step.selectCamViewController(), this))
{
    setObjectName(QStringLiteral("searchCamPage"));
    addContent(m_list);
    connect(leftButton(), &QPushButton::clicked, this, [this] { m_step.onRescanClicked(); });
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_SearchCamView::changed, this, &CameraPage::refresh);
    refresh();
}

void CameraPage::refresh()
{
    m_list->showNoDevice(m_step.textField(), m_step.textFieldShown());
    showStep({m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(),
                 m_step.btNextEnabled(), m_step.btRescanTitle(), m_step.btRescanEnabled()},
        m_step.messageViewController(), m_step.listShown() ? m_list : nullptr);
}
