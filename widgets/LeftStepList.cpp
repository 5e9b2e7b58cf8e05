#include "widgets/LeftStepList.h"

#include "core/HMLocalization.h"
#include "core/LeftStepView.h"
#include "widgets/WizardStyle.h"

#include <QLabel>
#include <QVBoxLayout>

LeftStepList::LeftStepList(LeftStepView &steps, HMLocalization &localization, QWidget *parent)
    : QWidget(parent)
    , m_steps(steps)
    , m_localization(localization)
{
    setObjectName(QStringLiteral("leftSteps"));
    auto *layout = new QVBoxLayout(this);
    for (int phase = 0; phase < 3; ++phase) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("leftStep%1").arg(phase));
        layout->addWidget(label);
        m_labels.append(label);
    }
    layout->addStretch();
    connect(&m_steps, &LeftStepView::changed, this, &LeftStepList::refresh);
    refresh();
}

void LeftStepList::showEvent(QShowEvent *event)
{
    refresh();
    QWidget::showEvent(event);
}

void LeftStepList::refresh()
{
    for (int phase = 0; phase < m_labels.size(); ++phase) {
        QLabel *label = m_labels.at(phase);
        label->setText(QStringLiteral("%1  %2").arg(phase + 1).arg(
            m_localization.localizedStringForKey(LeftStepView::stepTextKey(phase))));
        setStyleState(*label, "current", phase == m_steps.step());
    }
}
