#pragma once

#include "steps/SetupStep.h"

// Finds the recorders on the LAN and lets the user pick one.
class Setup_SearchNvrView : public SetupStep
{
    Q_OBJECT
public:
    using SetupStep::SetupStep;

    QString pageKey() const override { return QStringLiteral("searchNVR"); }
    void viewDidAppear() override;

    void setDelegate(SetupStepDelegate *delegate) { theDelegate = delegate; }
    NvrRef getSelectedDevice() const { return selectedNvr; }

    // Until discovery lands: the user enters the recorder by hand.
    void setSelectedDevice(const TVexorReply &reply);
    void onNextClicked();
    void onBackClicked();

private:
    NvrRef selectedNvr;
};
