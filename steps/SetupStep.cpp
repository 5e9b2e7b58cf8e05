#include "steps/SetupStep.h"

#include "app/core/ModalHost.h"
#include "app/core/WizardContext.h"

void RecorderStep::setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password)
{
    theDelegate = delegate;
    m_device = std::move(device);
    m_user = user;
    m_password = password;
}

void SetupStep::showAlert(const QString &key)
{
    context().modal.runAlert(text(key), text(QStringLiteral("Button Close")));
}
