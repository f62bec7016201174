// Declaring a data table's columns in one statement.
#pragma once

#include <QtTest>
#include <cstddef>

// Adds one column for each type, in order, named by the name at the same place:
// addColumns<int, QString>({"channel", "text"}) declares an int "channel" and a QString "text".
template <typename... Types, std::size_t N> void addColumns(const char* const (&names)[N])
{
    static_assert(N == sizeof...(Types), "one name for each column type");
    std::size_t i = 0;
    (QTest::addColumn<Types>(names[i++]), ...);
}
