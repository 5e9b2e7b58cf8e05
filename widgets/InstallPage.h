#pragma once

#include <QWidget>

class GuidePicture;
class InstallView;
class QLabel;
class QProgressBar;
class QPushButton;

// A sub-page of the installation guide: title, drawing, instructions,
// progress and the Back / Next / troubleshooting buttons.
class InstallPage : public QWidget
{
    Q_OBJECT
public:
    InstallPage(InstallView &view, QWidget *parent = nullptr);

private:
    void refresh();

    InstallView &m_view;
    QLabel *m_title;
    GuidePicture *m_picture;
    QLabel *m_tip;
    QProgressBar *m_progress;
    QPushButton *m_back;
    QPushButton *m_tipButton;
    QPushButton *m_next;
};
