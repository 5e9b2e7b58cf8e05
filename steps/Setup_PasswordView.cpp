#include "steps/Setup_PasswordView.h"

#include "steps/SetupStepDelegate.h"

void Setup_PasswordView::setDelegate(SetupStepDelegate *delegate, NvrRef device)
{
    theDelegate = delegate;
    m_device = std::move(device);
}

void Setup_PasswordView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("password"));
}

void Setup_PasswordView::onNextClicked()
{
    if (theDelegate)
        theDelegate->setupPasswordNext(m_password);
}

void Setup_PasswordView::onBackClicked()
{
    if (theDelegate)
        theDelegate->setupPasswordBack();
}
