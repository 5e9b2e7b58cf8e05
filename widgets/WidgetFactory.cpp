#include "widgets/WidgetFactory.h"

#include "app/core/DialogController.h"
#include "app/core/PageController.h"

void WidgetFactory::registerPage(const QString &pageKey, PageMaker maker)
{
    m_pages.insert(pageKey, std::move(maker));
}

void WidgetFactory::registerDialog(const QString &dialogKind, DialogMaker maker)
{
    m_dialogs.insert(dialogKind, std::move(maker));
}

QWidget *WidgetFactory::makePage(PageController &page, QWidget *parent) const
{
    const auto it = m_pages.constFind(page.pageKey());
    return it == m_pages.constEnd() ? nullptr : (*it)(page, parent);
}

QDialog *WidgetFactory::makeDialog(DialogController &dialog, QWidget *parent) const
{
    const auto it = m_dialogs.constFind(dialog.dialogKind());
    return it == m_dialogs.constEnd() ? nullptr : (*it)(dialog, parent);
}
