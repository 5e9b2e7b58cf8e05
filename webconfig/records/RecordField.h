#pragma once

#include <QString>

#include <optional>
#include <utility>

// A text field of a recorder answer: absent when the answer did not carry the
// key, which is not the same as the empty value of "key=".
using RecordText = std::optional<QString>;

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
