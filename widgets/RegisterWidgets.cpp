#include "widgets/RegisterWidgets.h"

void registerAllWidgets(WidgetFactory &factory)
{
    registerShellWidgets(factory);
    registerGuideWidgets(factory);
    registerSearchWidgets(factory);
    registerPasswordWidgets(factory);
    registerTimeZoneWidgets(factory);
    registerHddWidgets(factory);
    registerNimboraWidgets(factory);
    registerSummaryWidgets(factory);
    registerCameraWidgets(factory);
}
