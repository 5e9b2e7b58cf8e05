#pragma once

#include <QDialog>

class DiagPreview;
class QLabel;

// The camera preview: the camera's latest still image, scaled to the view,
// its model and address, and Close.
class CameraPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    CameraPreviewDialog(DiagPreview &diag, QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();

    DiagPreview &m_diag;
    QLabel *m_image;
};
