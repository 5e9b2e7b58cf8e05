#pragma once

class QPushButton;
class QWidget;

// Keyboard use as dialogs have it from Qt, for the window's pages: Return or
// Enter that the focused control leaves alone presses the focused push button,
// or else `defaultButton` (none when null) while it is shown and enabled.
void pressOnReturn(QWidget &area, QPushButton *defaultButton);

// A field whose own Return already acts (it sends its form on): the area then
// leaves that key to it.
void keepReturn(QWidget &field);

// Tab follows the order of the window's layouts, which is the reading order,
// into every page of a stacked widget; the widgets in an item view's cells
// come right after their view. Run again when widgets are added.
void chainTabsInReadingOrder(QWidget &window);

// Focus on the area's first input in tab order (a field, list, choice or check
// box), else on its enabled default button, else on its first tab stop, else
// on the area itself so that keys still reach it.
void focusFirstControl(QWidget &area);

// Focus on the default button of the nearest area around `inside` that has
// one shown and enabled, where Return goes on; false when none has.
bool focusDefaultButton(QWidget &inside);

// A window about to be shown: Tab in reading order, focus on its first control.
void prepareForKeys(QWidget &window);

// focusFirstControl() once the event loop has let the area settle, while it is
// shown: its controls are enabled and shown by refreshes still to come.
void focusFirstControlSoon(QWidget &area);
