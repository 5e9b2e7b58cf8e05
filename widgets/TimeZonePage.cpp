#include "widgets/TimeZonePage.h"

#include "steps/Setup_TimeZoneView.h"
#include "widgets/Controls.h"
#include "widgets/StepFrame.h"
#include "widgets/TimeZonePicker.h"
#include "widgets/WaitingPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

TimeZonePage::TimeZonePage(Setup_TimeZoneView &step, QWidget *parent)
    : QWidget(parent)
    , m_step(step)
    , m_title(wrappedLabel(QStringLiteral("lbTitle"), this))
    , m_content(new QStackedWidget(this))
    , m_picker(new TimeZonePicker(step.timeZoneViewController(), m_content))
    , m_waiting(new WaitingPanel(m_content))
    , m_back(new QPushButton(this))
    , m_next(new QPushButton(this))
{
    setObjectName(QStringLiteral("timeZonePage"));
    m_content->setObjectName(QStringLiteral("boxContent"));
    m_content->addWidget(m_picker);
    m_content->addWidget(m_waiting);
    layOutStep(*this, m_step.progressView(), m_title, m_content, nullptr, m_back, m_next);

    connect(m_back, &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_TimeZoneView::changed, this, &TimeZonePage::refresh);
    refresh();
}

void TimeZonePage::refresh()
{
    m_title->setText(m_step.lbTitle());
    const Setup_MessageView &message = m_step.messageViewController();
    m_waiting->setMessage(message.message());
    m_content->setCurrentWidget(message.isVisible() ? static_cast<QWidget *>(m_waiting) : m_picker);
    m_back->setText(m_step.btBackTitle());
    m_next->setText(m_step.btNextTitle());
    m_back->setEnabled(m_step.btBackEnabled());
    m_next->setEnabled(m_step.btNextEnabled());
}
