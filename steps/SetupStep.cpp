#include "steps/SetupStep.h"

void RecorderStep::setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password)
{
    theDelegate = delegate;
    m_device = std::move(device);
    m_user = user;
    m_password = password;
}
