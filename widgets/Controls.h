#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Small controls the pages build the same way everywhere.
QLabel *wrappedLabel(const QString &name, QWidget *parent);
// A flat text button in the wizard's link style.
QPushButton *linkButton(const QString &name, QWidget *parent);
