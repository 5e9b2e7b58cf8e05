#include "steps/Setup_SearchCamView.h"

#include "steps/SetupStepDelegate.h"

void Setup_SearchCamView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("searchCAM"));
}

void Setup_SearchCamView::onNextClicked()
{
    if (theDelegate)
        theDelegate->skipNimboraNext(QStringLiteral("none:none:none:none:none:none:none:none:none"));
}

void Setup_SearchCamView::onBackClicked()
{
    if (theDelegate)
        theDelegate->setupSearchCamBack();
}
