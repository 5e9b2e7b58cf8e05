#pragma once

#include "widgets/StepPage.h"

class Setup_PasswordView;

// The password step: the set or the confirm form, the waiting overlay while
// the recorder answers, and Reset, Back and Next.
class PasswordPage : public StepPage
{
    Q_OBJECT
public:
    PasswordPage(Setup_PasswordView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_PasswordView &m_step;
    QWidget *m_setForm;
    QWidget *m_confirmForm;
};
