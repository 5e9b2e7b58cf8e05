#pragma once

#include <QWidget>

// The dimming laid over the main window while a dialog is open.
class GreyOverlay : public QWidget
{
    Q_OBJECT
public:
    GreyOverlay(double greyLevel, QWidget *parent);

    void setOpacity(double opacity);
    double opacity() const { return m_opacity; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QColor m_grey;
    double m_opacity = 0.8;
};
