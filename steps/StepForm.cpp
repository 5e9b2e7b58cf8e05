#include "steps/StepForm.h"

#include "core/HMLocalization.h"

StepForm::StepForm(WizardContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

void StepForm::setInputsEnabled(bool enabled)
{
    m_enabled = enabled;
    emit changed();
}

QString StepForm::text(const QString &key) const
{
    return m_context.localization.localizedStringForKey(key);
}
