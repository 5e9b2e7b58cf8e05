#pragma once

#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class SummaryView;

// The last page: what was set, the shortcut box, and the recorder's page and
// Finish buttons.
class SummaryPage : public QWidget
{
    Q_OBJECT
public:
    SummaryPage(SummaryView &summary, QWidget *parent = nullptr);

private:
    void refresh();
    void showCameras();

    SummaryView &m_summary;
    QLabel *m_title;
    QLabel *m_text1;
    QLabel *m_recorderTitle;
    QGridLayout *m_recorder;
    QLabel *m_cloudTitle;
    QLabel *m_mailLabel;
    QLabel *m_mail;
    QLabel *m_cloudPassLabel;
    QLabel *m_cloudPass;
    QLabel *m_camerasTitle;
    QVBoxLayout *m_cameras;
    QScrollArea *m_cameraScroll;
    QCheckBox *m_check;
    QLabel *m_shortcutError;
    QLabel *m_reportSaved;
    QPushButton *m_gotoNvr;
    QPushButton *m_saveReport;
    QPushButton *m_finish;
};
