#pragma once

#include "steps/SetupProgressView.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class Setup_PasswordView;
class WaitingPanel;

// The password step: the set or the confirm form, the waiting overlay while
// the recorder answers, and Reset, Back and Next.
class PasswordPage : public QWidget
{
    Q_OBJECT
public:
    PasswordPage(Setup_PasswordView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_PasswordView &m_step;
    SetupProgressView m_progress;
    QLabel *m_title;
    QStackedWidget *m_content;
    QWidget *m_setForm;
    QWidget *m_confirmForm;
    WaitingPanel *m_waiting;
    QPushButton *m_reset;
    QPushButton *m_back;
    QPushButton *m_next;
};
