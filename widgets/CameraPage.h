#pragma once

#include "steps/SetupProgressView.h"

#include <QWidget>

class CameraTable;
class QLabel;
class QPushButton;
class QStackedWidget;
class Setup_SearchCamView;
class WaitingPanel;

// The camera step: the camera list (with the no-device label over it), the
// busy panel while the recorder searches or the channels are written, and
// Rescan, Back and Next.
class CameraPage : public QWidget
{
    Q_OBJECT
public:
    CameraPage(Setup_SearchCamView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_SearchCamView &m_step;
    SetupProgressView m_progress;
    QLabel *m_title;
    QStackedWidget *m_content;
    CameraTable *m_list;
    QWidget *m_empty;
    WaitingPanel *m_waiting;
    QPushButton *m_rescan;
    QPushButton *m_back;
    QPushButton *m_next;
};
