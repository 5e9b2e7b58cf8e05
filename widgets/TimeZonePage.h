#pragma once

#include "widgets/StepPage.h"

class Setup_TimeZoneView;

// The time zone step: the picker, the waiting panel while the recorder is
// read or written, and Back and Next.
class TimeZonePage : public StepPage
{
    Q_OBJECT
public:
    TimeZonePage(Setup_TimeZoneView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_TimeZoneView &m_step;
    QWidget *m_picker;
};
