// Hostile map databases and map-id.txt texts from tests/data/errors/.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string_view>

#include "export/database_check.h"
#include "export/map_id_table.h"
#include "support/error_cases.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ExportFileErrors, DamagedDatabasesAreReportedNotTrusted) {
    const std::vector<ErrorCase> cases = error_cases("database_check");
    ASSERT_GE(cases.size(), 5u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const InspectReport report = inspect_database(c.bytes);
        EXPECT_FALSE(report.ok()) << format_inspect_report(report, true);
        for (const InspectedDefinition& d : report.definitions) {
            EXPECT_GE(d.position, 0);
            EXPECT_LE(int64_t(d.position) + d.length, int64_t(c.bytes.size()));
        }
        const std::string text = format_inspect_report(report, true);
        EXPECT_EQ(text.find("\nOK"), std::string::npos);
    }
}

TEST(ExportFileErrors, AHeaderAnnouncingMoreRecordsThanTheListHoldsIsAViolation) {
    // Found by fuzzing: the map header announced publisher and region records the record list did not
    // have, and the inspector read them before counting.
    const ErrorCase c = error_case("database_check", "crash_header_announces_more_records");
    ASSERT_FALSE(c.bytes.empty());
    const InspectReport report = inspect_database(c.bytes);
    bool counted = false;
    for (const std::string& v : report.violations) counted |= v.find("no data record after") != std::string::npos;
    EXPECT_TRUE(counted) << format_inspect_report(report, false);
    EXPECT_FALSE(report.has_publisher && !report.publisher_date.empty());
}

TEST(ExportFileErrors, MapIdTextsKeepAtMost400TerminatedNames) {
    const std::vector<ErrorCase> cases = error_cases("map_id_table");
    ASSERT_GE(cases.size(), 4u);
    auto table = std::make_unique<MapIdTable>();
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        parse_map_id_table(*table, std::string_view(reinterpret_cast<const char*>(c.bytes.data()), c.bytes.size()));
        ASSERT_GE(table->count, 0);
        ASSERT_LE(table->count, kMaxMapIds);
        for (int i = 0; i < table->count; ++i)
            EXPECT_LT(strnlen(table->entries[i].base_name, sizeof table->entries[i].base_name),
                      sizeof table->entries[i].base_name);
    }
    const ErrorCase no_tab = error_case("map_id_table", "no_tab");
    parse_map_id_table(*table, std::string_view(reinterpret_cast<const char*>(no_tab.bytes.data()), no_tab.bytes.size()));
    EXPECT_EQ(lookup_map_id(*table, "Town 12"), 0) << "a line without an ID field is skipped";
}
