#pragma once

#include "steps/SetupStep.h"

// Registers the recorder with the cloud portal.
class Setup_NimboraView : public RecorderStep
{
    Q_OBJECT
public:
    using RecorderStep::RecorderStep;

    QString pageKey() const override { return QStringLiteral("nimbora"); }
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();
};
