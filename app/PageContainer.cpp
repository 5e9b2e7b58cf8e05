#include "app/PageContainer.h"

#include "core/PageController.h"

void PageContainer::show(PageController *page)
{
    m_current = page;
    emit currentChanged(page);
    if (page)
        page->viewDidAppear();
}

void PageContainer::clear()
{
    m_current = nullptr;
    emit currentChanged(nullptr);
}
