#include "widgets/StepPage.h"

#include "steps/SetupStep.h"
#include "steps/Setup_MessageView.h"
#include "widgets/Controls.h"
#include "widgets/StepFrame.h"
#include "widgets/WaitingPanel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

StepPage::StepPage(SetupStep &step, const SetupProgressView &progress, QWidget *parent, const QString &leftName)
    : QWidget(parent)
    , m_step(step)
    , m_title(wrappedLabel(QStringLiteral("lbTitle"), this))
    , m_content(new QStackedWidget(this))
    , m_diagnosis(diagnosisLabel(QStringLiteral("lbDiagnosis"), this))
    , m_tryAgain(new QPushButton(this))
    , m_waiting(new WaitingPanel(m_content))
    , m_empty(new QWidget(m_content))
    , m_left(leftName.isEmpty() ? nullptr : new QPushButton(this))
    , m_back(new QPushButton(this))
    , m_next(new QPushButton(this))
{
    m_content->setObjectName(QStringLiteral("boxContent"));
    m_content->addWidget(m_empty);
    m_content->addWidget(m_waiting);
    if (m_left)
        m_left->setObjectName(leftName);
    layOutStep(*this, progress, m_title, m_content, m_left, m_back, m_next);
    auto *box = qobject_cast<QBoxLayout *>(layout());
    m_tryAgain->setObjectName(QStringLiteral("btTryAgain"));
    m_tryAgain->hide();
    connect(m_tryAgain, &QPushButton::clicked, this, [this] { m_step.onTryAgainClicked(); });
    auto *reach = new QHBoxLayout;
    reach->addWidget(m_diagnosis, 1);
    reach->addWidget(m_tryAgain, 0, Qt::AlignTop);
    box->insertLayout(box->indexOf(m_content) + 1, reach);
}

void StepPage::addContent(QWidget *content)
{
    m_content->addWidget(content);
}

void StepPage::showStep(const State &state, const Setup_MessageView &message, QWidget *shown)
{
    showStep(state, message.isVisible(), message.message(), shown);
}

void StepPage::showStep(const State &state, bool waiting, const QString &waitingText, QWidget *shown)
{
    m_title->setText(state.title);
    showDiagnosis(*m_diagnosis, m_step.diagnosisText());
    m_tryAgain->setText(m_step.btTryAgainTitle());
    m_tryAgain->setVisible(m_step.btTryAgainVisible());
    m_waiting->setMessage(waitingText);
    m_content->setCurrentWidget(waiting ? m_waiting : shown ? shown : m_empty);
    m_back->setText(state.backTitle);
    m_next->setText(state.nextTitle);
    m_back->setEnabled(state.backEnabled);
    m_next->setEnabled(state.nextEnabled);
    if (m_left) {
        m_left->setText(state.leftTitle);
        m_left->setEnabled(state.leftEnabled);
        m_left->setVisible(state.leftVisible);
    }
}
