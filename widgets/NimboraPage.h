#pragma once

#include "widgets/StepPage.h"

class NimboraForm;
class Setup_NimboraView;

// The cloud account step: the form once the recorder's cloud state allows it,
// the waiting panel while the recorder or the portal is asked.
class NimboraPage : public StepPage
{
    Q_OBJECT
public:
    NimboraPage(Setup_NimboraView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_NimboraView &m_step;
    NimboraForm *m_form;
};
