#pragma once

#include "steps/SetupStep.h"

// Checks the recorder's disks and formats those that need it.
class Setup_HddView : public RecorderStep
{
    Q_OBJECT
public:
    using RecorderStep::RecorderStep;

    QString pageKey() const override { return QStringLiteral("hdd"); }
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();
};
