// Hostile categories files and publisher.txt texts from tests/data/errors/.
#include <gtest/gtest.h>

#include <string_view>

#include "dialogs/categories_file.h"
#include "export/publisher.h"
#include "model/text.h"
#include "support/error_cases.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(AppFileErrors, CategoriesFilesThatDoNotHoldTheirRecordsAreRefused) {
    const std::vector<ErrorCase> cases = error_cases("categories_file");
    ASSERT_GE(cases.size(), 5u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        CategoriesFile file;
        EXPECT_FALSE(read_categories(file, c.bytes));
        EXPECT_EQ(category_count(file), 0) << "a refused file is left empty";
        EXPECT_EQ(category_name(file, 0), "");
    }
}

TEST(AppFileErrors, PublisherTextsAlwaysGiveTerminatedFieldsWithinTheirLimits) {
    const std::vector<ErrorCase> cases = error_cases("publisher");
    ASSERT_GE(cases.size(), 3u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        PublisherInfo info;
        read_publisher_text(info, std::string_view(reinterpret_cast<const char*>(c.bytes.data()), c.bytes.size()));
        EXPECT_LE(field_text(info.publisher_notice).size(), 31u);
        EXPECT_LE(field_text(info.contact).size(), 126u);
    }
    PublisherInfo info;
    const ErrorCase long_line = error_case("publisher", "long_first_line");
    read_publisher_text(info, std::string_view(reinterpret_cast<const char*>(long_line.bytes.data()),
                                               long_line.bytes.size()));
    EXPECT_EQ(field_text(info.publisher_notice), std::string(31, 'N'));
}
