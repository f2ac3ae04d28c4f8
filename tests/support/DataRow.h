#pragma once

#include <QTest>

// Adds the columns of a Qt Test data table, one type for each name.
template <typename... Types, typename... Names> void addColumns(const Names &...names)
{
    static_assert(sizeof...(Types) == sizeof...(Names));
    (QTest::addColumn<Types>(names), ...);
}

// Adds a row to a Qt Test data table. Keeps each row on one line, where a
// chain of << between string literals would be broken over several.
template <typename... Values> void addRow(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}
