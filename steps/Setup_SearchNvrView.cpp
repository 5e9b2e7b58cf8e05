#include "steps/Setup_SearchNvrView.h"

#include "steps/SetupStepDelegate.h"

void Setup_SearchNvrView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("searchNVR"));
}

void Setup_SearchNvrView::setSelectedDevice(const TVexorReply &reply)
{
    selectedNvr = std::make_shared<const TVexorReply>(reply);
}

void Setup_SearchNvrView::onNextClicked()
{
    if (theDelegate)
        theDelegate->setupSearchNvrNext();
}

void Setup_SearchNvrView::onBackClicked()
{
    if (theDelegate)
        theDelegate->setupSearchNvrBack();
}
