#include "widgets/PageStack.h"

#include "app/PageContainer.h"
#include "core/PageController.h"
#include "platform/Log.h"
#include "widgets/KeyboardUse.h"
#include "widgets/WidgetFactory.h"

#include <QLabel>

PageStack::PageStack(PageContainer &container, const WidgetFactory &factory, QWidget *parent)
    : QStackedWidget(parent)
    , m_factory(factory)
    , m_missing(new QLabel(this))
{
    addWidget(m_missing);
    connect(&container, &PageContainer::currentChanged, this, &PageStack::showPage);
    showPage(container.current());
}

void PageStack::showPage(PageController *page)
{
    if (!page) {
        setCurrentWidget(m_missing);
        return;
    }
    QWidget *widget = m_widgets.value(page);
    if (!widget) {
        widget = m_factory.makePage(*page, this);
        if (!widget) {
            Log::line(QStringLiteral("no widget for page %1").arg(page->pageKey()));
            setCurrentWidget(m_missing);
            return;
        }
        m_widgets.insert(page, widget);
        addWidget(widget);
        connect(page, &QObject::destroyed, this, [this, page] { delete m_widgets.take(page); });
        chainTabsInReadingOrder(*window());
    }
    setCurrentWidget(widget);
    focusFirstControlSoon(*widget);
}
