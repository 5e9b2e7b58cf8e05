#pragma once

#include "widgets/StepPage.h"

class CameraTable;
class Setup_SearchCamView;

// The camera step: the camera list (with the no-device label over it), the
// busy panel while the recorder searches or the channels are written, and
// Rescan, Back and Next.
class CameraPage : public StepPage
{
    Q_OBJECT
public:
    CameraPage(Setup_SearchCamView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_SearchCamView &m_step;
    CameraTable *m_list;
};
