#include "app/SummaryView.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/SummaryPage.h"
#include "widgets/WidgetFactory.h"

void registerSummaryWidgets(WidgetFactory &factory)
{
    factory.registerPage(SummaryView::kPageKey, [](PageController &page, QWidget *parent) {
        return new SummaryPage(static_cast<SummaryView &>(page), parent);
    });
}
