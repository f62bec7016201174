// Declaring a data table: its columns in one statement, the rows of a table of one flag.
#pragma once

#include <QtTest>
#include <cstddef>
#include <initializer_list>
#include <utility>

// Adds one column for each type, in order, named by the name at the same place:
// addColumns<int, QString>({"channel", "text"}) declares an int "channel" and a QString "text".
template <typename... Types, std::size_t N> void addColumns(const char* const (&names)[N])
{
    static_assert(N == sizeof...(Types), "one name for each column type");
    std::size_t i = 0;
    (QTest::addColumn<Types>(names[i++]), ...);
}

// A table of one bool column, for a test that runs both ways: each row is a tag and its value,
// in order, as in addFlagRows("traffic", {{"idle line", false}, {"after bytes sent", true}}).
inline void addFlagRows(const char* column,
                        std::initializer_list<std::pair<const char*, bool>> rows)
{
    QTest::addColumn<bool>(column);
    for (const auto& [tag, value] : rows)
        QTest::newRow(tag) << value;
}

// A table of text columns: each row is its tag, then one text for each column, as in
// addTextRows({"name", "tip"}, {{"Query", "CmdMacroByIndexBtn_3", "Send '?' to query."}}).
inline void addTextRows(std::initializer_list<const char*> columns,
                        std::initializer_list<std::initializer_list<const char*>> rows)
{
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    for (const std::initializer_list<const char*>& row : rows) {
        QVERIFY2(row.size() == columns.size() + 1,
                 "a text row holds its tag and one text a column");
        const char* const* cell = row.begin();
        QTestData& data = QTest::newRow(*cell);
        while (++cell != row.end())
            data << *cell;
    }
}
