#pragma once

#include <QStringList>

class QWidget;

// What keeps a person on the keyboard or with a screen reader from the
// controls shown under root (root included): one line for each control that
// has no accessible name or that Tab never reaches, and for a dialog without
// a name. Empty when every control can be reached and is named.
QStringList accessProblems(const QWidget &root);
