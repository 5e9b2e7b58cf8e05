#include "steps/Setup_TimeZoneView.h"

#include "steps/SetupStepDelegate.h"

void Setup_TimeZoneView::viewDidAppear()
{
    // Posts no counter value: the counter keeps the password step's.
}

void Setup_TimeZoneView::onNextClicked()
{
    if (theDelegate)
        theDelegate->setupTimeZoneNext();
}

void Setup_TimeZoneView::onBackClicked()
{
    if (theDelegate)
        theDelegate->setupTimeZoneBack();
}
