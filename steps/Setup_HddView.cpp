#include "steps/Setup_HddView.h"

#include "steps/SetupStepDelegate.h"

void Setup_HddView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("hdd"));
}

void Setup_HddView::onNextClicked()
{
    if (theDelegate)
        theDelegate->setupHddNext();
}

void Setup_HddView::onBackClicked()
{
    if (theDelegate)
        theDelegate->setupHddBack();
}
