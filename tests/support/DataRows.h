#pragma once

#include <QTest>

#include <array>
#include <initializer_list>
#include <tuple>

// Data rows as a table: the columns by name, then one row per entry, its name first.
template<class... Field>
void rows(const std::array<const char *, sizeof...(Field)> &columns,
    std::initializer_list<std::tuple<const char *, Field...>> table)
{
    size_t column = 0;
    (QTest::addColumn<Field>(columns[column++]), ...);
    for (const auto &row : table)
        std::apply([](const char *name, const Field &...field) { (QTest::newRow(name) << ... << field); }, row);
}
