#pragma once

#include <QLocale>
#include <QString>
#include <QVector>

// The languages the welcome page offers, in menu order: the index of the
// user's choice selects both the shown name and the language file code.
namespace Languages {

const QVector<QString> &LangName();
const QVector<QString> &LangFile();

// Index of a code or a shown name (case-insensitive for codes), or -1.
int indexOf(const QString &codeOrName);

// The locale of a language file code, for numbers and Qt's own texts;
// English for a code not in the list.
QLocale localeOf(const QString &code);

} // namespace Languages
