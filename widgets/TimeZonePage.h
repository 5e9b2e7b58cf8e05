#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class Setup_TimeZoneView;
class WaitingPanel;

// The time zone step: the picker, the waiting panel while the recorder is
// read or written, and Back and Next.
class TimeZonePage : public QWidget
{
    Q_OBJECT
public:
    TimeZonePage(Setup_TimeZoneView &step, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_TimeZoneView &m_step;
    QLabel *m_title;
    QStackedWidget *m_content;
    QWidget *m_picker;
    WaitingPanel *m_waiting;
    QPushButton *m_back;
    QPushButton *m_next;
};
