#pragma once

#include <QtGlobal>

// The entry a table's row shows, or nullptr for a row the list does not have
// (-1 for none, or a row the widget still shows after the list shrank).
template<typename List> const typename List::value_type *rowAt(const List &list, qsizetype row)
{
    return row >= 0 && row < list.size() ? &list.at(row) : nullptr;
}
