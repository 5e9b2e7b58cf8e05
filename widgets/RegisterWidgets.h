#pragma once

class WidgetFactory;

// Each area registers its pages, steps and dialogs in its own file.
void registerShellWidgets(WidgetFactory &factory);
void registerGuideWidgets(WidgetFactory &factory);
void registerSearchWidgets(WidgetFactory &factory);
void registerPasswordWidgets(WidgetFactory &factory);
void registerTimeZoneWidgets(WidgetFactory &factory);
void registerHddWidgets(WidgetFactory &factory);
void registerNimboraWidgets(WidgetFactory &factory);
void registerSummaryWidgets(WidgetFactory &factory);
void registerCameraWidgets(WidgetFactory &factory);

// Everything the window can show.
void registerAllWidgets(WidgetFactory &factory);
