#pragma once

#include <QHash>
#include <QStackedWidget>

class PageContainer;
class PageController;
class WidgetFactory;

// Shows the widget of a container's current page; each page's widget is
// made once by the factory and kept while its controller lives. Serves the
// main window's pages and the setup page's steps alike.
class PageStack : public QStackedWidget
{
    Q_OBJECT
public:
    PageStack(PageContainer &container, const WidgetFactory &factory, QWidget *parent = nullptr);

private:
    void showPage(PageController *page);

    const WidgetFactory &m_factory;
    QHash<PageController *, QWidget *> m_widgets;
    QWidget *m_missing = nullptr;
};
