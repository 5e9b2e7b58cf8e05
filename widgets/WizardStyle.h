#pragma once

class QApplication;
class QWidget;

// The wizard's own look: light pages, a calm blue accent, roomy controls.
void applyWizardStyle(QApplication &app);

// Sets a property the style sheet selects on and restyles the widget.
void setStyleState(QWidget &widget, const char *name, bool on);
