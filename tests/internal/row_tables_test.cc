// The list of variant tables (row_tables.h) against the internal tests: each
// listed row names a test that exists.
#include "tests/internal/row_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(RowTables, EveryRowHasItsChecks) {
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    std::set<std::string> tests;
    for (int i = 0; i < unit.total_test_suite_count(); ++i) {
        const testing::TestSuite& suite = *unit.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j)
            tests.insert(std::string(suite.name()) + "." + suite.GetTestInfo(j)->name());
    }
    for (const ListedRow& row : kListedRows)
        EXPECT_EQ(tests.count(row.test), 1u)
            << row.table << " " << row.member << ": no internal test " << row.test;
}

}  // namespace
