#pragma once

#include <QTest>

// Adds a row to a Qt Test data table. Keeps each row on one line, where a
// chain of << between string literals would be broken over several.
template <typename... Values> void addRow(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}
