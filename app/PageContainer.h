#pragma once

#include "core/PageController.h"

#include <QObject>
#include <QPointer>

// Holds the current page of the main window or the current step of the setup
// page. Showing a page makes it current and then tells it it appeared.
class PageContainer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void show(PageController *page);
    void clear();
    PageController *current() const { return m_current; }

signals:
    void currentChanged(PageController *page);

private:
    QPointer<PageController> m_current;
};
