#include "widgets/TimeZonePage.h"

#include "steps/Setup_TimeZoneView.h"
#include "widgets/Controls.h"
#include "widgets/TimeZonePicker.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TimeZonePage::TimeZonePage(Setup_TimeZoneView &step, QWidget *parent)
    : StepPage(step.progressView(), parent)
    , m_step(step)
    , m_box(new QWidget(this))
    , m_diagnosis(diagnosisLabel(QStringLiteral("lbDiagnosis"), m_box))
{
    setObjectName(QStringLiteral("timeZonePage"));
    auto *layout = new QVBoxLayout(m_box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new TimeZonePicker(step.timeZoneViewController(), m_box), 1);
    layout->addWidget(m_diagnosis);
    addContent(m_box);
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_TimeZoneView::changed, this, &TimeZonePage::refresh);
    refresh();
}

void TimeZonePage::refresh()
{
    showDiagnosis(*m_diagnosis, m_step.diagnosisText());
    showStep(
        {m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(), m_step.btNextEnabled()},
        m_step.messageViewController(), m_box);
}
