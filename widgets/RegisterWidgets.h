#pragma once

class WidgetFactory;

// Everything the window can show: which widget shows which page, step and
// dialog controller.
void registerAllWidgets(WidgetFactory &factory);
