#include "widgets/TimeZonePage.h"

#include "steps/Setup_TimeZoneView.h"
#include "widgets/TimeZonePicker.h"

#include <QPushButton>

TimeZonePage::TimeZonePage(Setup_TimeZoneView &step, QWidget *parent)
    : StepPage(step, step.progressView(), parent)
    , m_step(step)
    , m_picker(new TimeZonePicker(step.timeZoneViewController(), this))
{
    setObjectName(QStringLiteral("timeZonePage"));
    addContent(m_picker);
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_TimeZoneView::changed, this, &TimeZonePage::refresh);
    refresh();
}

void TimeZonePage::refresh()
{
    showStep(
        {m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(), m_step.btNextEnabled()},
        m_step.messageViewController(), m_picker);
}
