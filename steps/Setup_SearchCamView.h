#pragma once

#include "steps/SetupStep.h"

// Lets the recorder find cameras and writes the chosen ones into its channels.
class Setup_SearchCamView : public RecorderStep
{
    Q_OBJECT
public:
    using RecorderStep::RecorderStep;

    QString pageKey() const override { return QStringLiteral("searchCAM"); }
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();
};
