#pragma once

#include "steps/SetupStep.h"

// Sets the recorder's time zone.
class Setup_TimeZoneView : public RecorderStep
{
    Q_OBJECT
public:
    using RecorderStep::RecorderStep;

    QString pageKey() const override { return QStringLiteral("timeZone"); }
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();
};
