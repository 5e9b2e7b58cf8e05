#include "guide/InstallView.h"

#include "app/ShellDelegate.h"

void InstallView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("install0"));
}

void InstallView::onNextClicked()
{
    if (theDelegate)
        theDelegate->showSetupView();
}

void InstallView::onBackClicked()
{
    if (theDelegate)
        theDelegate->showWelcomeView();
}
