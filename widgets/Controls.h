#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small controls the pages build the same way everywhere.
QLabel *wrappedLabel(const QString &name, QWidget *parent);
// A flat text button in the wizard's link style.
QPushButton *linkButton(const QString &name, QWidget *parent);
// Writes the controller's text back only when it differs, which keeps the
// cursor where the user is typing.
void showText(QLineEdit &edit, const QString &text);
