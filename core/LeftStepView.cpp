#include "core/LeftStepView.h"

void LeftStepView::setStepIndex(int index)
{
    if (index < 0 || index > 2)
        return;
    m_step = index;
    emit changed();
}

QString LeftStepView::stepImage() const
{
    return QStringLiteral("left_step_%1.png").arg(m_step + 1);
}

QString LeftStepView::stepTextKey(int phase)
{
    static const char *const keys[] = {"StepInstall", "StepSetup", "StepComplete"};
    return phase >= 0 && phase <= 2 ? QString::fromLatin1(keys[phase]) : QString();
}
