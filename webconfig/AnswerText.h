#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The recorder's line-oriented answers: CR LF separated "key=value" lines.
namespace AnswerText {

// 7-bit ASCII; a byte above 127 becomes U+FFFD.
QString fromAscii(const QByteArray &body);
QString fromUtf8(const QByteArray &body);

// The lines of an answer: every piece that a CR LF ends. The text after the
// last CR LF is not a line.
QStringList lines(const QString &text);

struct KeyValue
{
    QString key;
    QString value;
};

// Key before the first "=", value up to the next "=" or the line end; none for
// a line without "=".
std::optional<KeyValue> keyValue(const QString &line);

// The first line's key and value, when it has one.
std::optional<KeyValue> firstKeyValue(const QString &text);

} // namespace AnswerText
