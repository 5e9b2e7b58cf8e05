#pragma once

#include "widgets/StepPage.h"

class Setup_HddView;

// The hard-disk step: the disk table, the busy panel while the recorder
// answers or formats, and Skip, Back and Next.
class HddPage : public StepPage
{
    Q_OBJECT
public:
    HddPage(Setup_HddView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_HddView &m_step;
    QWidget *m_table;
};
