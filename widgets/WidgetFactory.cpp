#include "widgets/WidgetFactory.h"

#include "core/DialogController.h"
#include "core/PageController.h"

QWidget *WidgetFactory::makePage(PageController &page, QWidget *parent) const
{
    const auto it = m_pages.find(typeid(page));
    return it == m_pages.end() ? nullptr : it->second(page, parent);
}

QDialog *WidgetFactory::makeDialog(DialogController &dialog, QWidget *parent) const
{
    const auto it = m_dialogs.find(typeid(dialog));
    return it == m_dialogs.end() ? nullptr : it->second(dialog, parent);
}
