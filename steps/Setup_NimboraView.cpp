#include "steps/Setup_NimboraView.h"

#include "steps/SetupStepDelegate.h"

void Setup_NimboraView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("nimbora"));
}

void Setup_NimboraView::onNextClicked()
{
    if (theDelegate)
        theDelegate->setupNimboraNext(QStringLiteral("none:none"));
}

void Setup_NimboraView::onBackClicked()
{
    if (theDelegate)
        theDelegate->setupNimboraBack();
}
