#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small controls the pages build the same way everywhere.
QLabel *wrappedLabel(const QString &name, QWidget *parent);
// Why a recorder cannot be reached and what to try: a boxed warning, hidden
// while it has no text (showDiagnosis).
QLabel *diagnosisLabel(const QString &name, QWidget *parent);
void showDiagnosis(QLabel &label, const QString &text);
// A flat text button in the wizard's link style.
QPushButton *linkButton(const QString &name, QWidget *parent);
// Writes the controller's text back only when it differs, which keeps the
// cursor where the user is typing.
void showText(QLineEdit &edit, const QString &text);
