#include "steps/Setup_TimeZoneView.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/TimeZonePage.h"
#include "widgets/WidgetFactory.h"

void registerTimeZoneWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("timeZone"), [](PageController &page, QWidget *parent) {
        return new TimeZonePage(static_cast<Setup_TimeZoneView &>(page), parent);
    });
}
