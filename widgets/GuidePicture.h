#pragma once

#include <QWidget>

// The drawings of the installation guide: the recorder, the router, the
// hard disk and the cables between them, named by the guide's image names.
class GuidePicture : public QWidget
{
    Q_OBJECT
public:
    explicit GuidePicture(QWidget *parent = nullptr);

    void setSubPage(int subPage, int half);
    QSize sizeHint() const override { return {420, 220}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_subPage = 0;
    int m_half = 0;
};
