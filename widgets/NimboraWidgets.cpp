#include "steps/Setup_NimboraView.h"
#include "widgets/NimboraPage.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"

void registerNimboraWidgets(WidgetFactory &factory)
{
    factory.registerPage(Setup_NimboraView::kPageKey, [](PageController &page, QWidget *parent) {
        return new NimboraPage(static_cast<Setup_NimboraView &>(page), parent);
    });
}
