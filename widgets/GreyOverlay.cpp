#include "widgets/GreyOverlay.h"

#include <QEvent>
#include <QPainter>

GreyOverlay::GreyOverlay(double greyLevel, QWidget *parent)
    : QWidget(parent)
    , m_grey(QColor::fromRgbF(float(greyLevel), float(greyLevel), float(greyLevel)))
{
    parent->installEventFilter(this);
    setGeometry(parent->rect());
    hide();
}

void GreyOverlay::setOpacity(double opacity)
{
    m_opacity = opacity;
    update();
}

void GreyOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor grey = m_grey;
    grey.setAlphaF(float(m_opacity));
    painter.fillRect(rect(), grey);
}

// Keeps covering the whole window when it is resized.
bool GreyOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
