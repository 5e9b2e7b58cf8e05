#pragma once

#include "steps/SetupProgressView.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class Setup_HddView;
class WaitingPanel;

// The hard-disk step: the disk table, the busy panel while the recorder
// answers or formats, and Skip, Back and Next.
class HddPage : public QWidget
{
    Q_OBJECT
public:
    HddPage(Setup_HddView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_HddView &m_step;
    SetupProgressView m_progress;
    QLabel *m_title;
    QStackedWidget *m_content;
    QWidget *m_table;
    QWidget *m_empty;
    WaitingPanel *m_waiting;
    QPushButton *m_skip;
    QPushButton *m_back;
    QPushButton *m_next;
};
