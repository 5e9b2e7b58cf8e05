#pragma once

#include <QString>

#include <optional>
#include <utility>

// A text field of a recorder answer: absent when the answer did not carry the
// key, which is not the same as the empty value of "key=".
using RecordText = std::optional<QString>;

// A flag as the recorder writes it ("1", "0") read as a truth value: past
// blanks, a sign and leading zeros, a digit 1-9 or "Y"/"T" in either case is
// true; anything else, and an absent field, is false.
inline bool isTrue(const RecordText &text)
{
    const QString t = text.value_or(QString()).trimmed();
    qsizetype i = t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-')) ? 1 : 0;
    while (i < t.size() && t.at(i) == QLatin1Char('0'))
        ++i;
    if (i >= t.size())
        return false;
    const QChar c = t.at(i).toUpper();
    return (c >= QLatin1Char('1') && c <= QLatin1Char('9')) || c == QLatin1Char('Y') || c == QLatin1Char('T');
}

// One getter named like the field and one setter, as every record has them.
#define NVR_RECORD_TEXT(field, setter)                                                                                 \
public:                                                                                                                \
    const RecordText &field() const                                                                                    \
    {                                                                                                                  \
        return m_##field;                                                                                              \
    }                                                                                                                  \
    void setter(RecordText value)                                                                                      \
    {                                                                                                                  \
        m_##field = std::move(value);                                                                                  \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    RecordText m_##field;
