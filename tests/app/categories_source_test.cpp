#include "app/categories_source.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/bytes.h"
#include "support/scratch_dir.h"

namespace plotwell {
namespace {

const std::string kDataDir = std::string(PLOTWELL_SOURCE_DIR) + "/data";

std::string read_text(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(read_whole_file(path, bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
}

int run_tool(const std::string& arguments) {
    const int status =
        std::system((std::string(PLOTWELL_TOOL_PATH) + " " + arguments + " 2>/dev/null >/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CategoriesSource, TheShippedFileIsExactlyWhatItsSourceMakes) {
    std::vector<uint8_t> shipped;
    ASSERT_TRUE(read_whole_file(kDataDir + "/categories.tpc", shipped));

    CategoriesSource source;
    const Result parsed = parse_categories_source(read_text(kDataDir + "/categories.txt"), source);
    ASSERT_TRUE(parsed.ok) << parsed.message;
    std::vector<uint8_t> encoded;
    const Result encoding = encode_categories(source, encoded);
    ASSERT_TRUE(encoding.ok) << encoding.message;
    EXPECT_EQ(encoded, shipped) << "data/categories.tpc is stale: run plotwell-tool make-categories";

    // The same through the tool.
    test::ScratchDir dir;
    ASSERT_EQ(run_tool("make-categories " + kDataDir + "/categories.txt " + dir.file("out.tpc")), 0);
    std::vector<uint8_t> made;
    ASSERT_TRUE(read_whole_file(dir.file("out.tpc"), made));
    EXPECT_EQ(made, shipped);
}

TEST(CategoriesSource, ToolReportsUsageAndSourceErrors) {
    test::ScratchDir dir;
    EXPECT_EQ(run_tool("make-categories"), 2);
    EXPECT_EQ(run_tool("make-categories " + dir.file("missing.txt") + " " + dir.file("x.tpc")), 1);
    dir.write("bad.txt", std::string_view("category A\nflavour sweet\n"));
    EXPECT_EQ(run_tool("make-categories " + dir.file("bad.txt") + " " + dir.file("x.tpc")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.tpc")));
    EXPECT_EQ(run_tool("make-categories --help"), 0);
}

TEST(CategoriesSource, ParsesStatementsIconsAndBothLineEnds) {
    const std::string text =
        "# comment\n"
        "icons 12\n"
        "\n"
        "category  Food & Drink  \n"
        "sub-type Caf\xE9\n"
        "sub-type Fast Food\n"
        "icon\n"
        "#..........#\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "............\n"
        "############\n"
        "category Empty\n";
    for (bool crlf : {false, true}) {
        std::string input = text;
        if (crlf)
            for (size_t at = input.find('\n'); at != std::string::npos; at = input.find('\n', at + 2))
                input.insert(at, "\r");
        CategoriesSource source;
        const Result parsed = parse_categories_source(input, source);
        ASSERT_TRUE(parsed.ok) << parsed.message;
        EXPECT_EQ(source.icon_format, kIconFormat12);
        ASSERT_EQ(source.categories.size(), 2u);
        EXPECT_EQ(source.categories[0].name, "Food & Drink");
        EXPECT_EQ(source.categories[0].sub_types, (std::vector<std::string>{"Caf\xE9", "Fast Food"}));
        EXPECT_TRUE(source.categories[1].sub_types.empty());
        ASSERT_EQ(source.icons.size(), 1u);
        EXPECT_EQ(source.icons[0].rows[0], 0x8010);
        EXPECT_EQ(source.icons[0].rows[11], 0xFFF0);
    }
}

TEST(CategoriesSource, NamesTheLineOfEachMistake) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"sub-type A\n", "line 1: sub-type before the first category"},
        {"category A\n\nflavour x\n", "line 3: unknown statement \"flavour\""},
        {"icons 10\n", "line 1: icon size must be 8 or 12"},
        {"icon\n........\n", "line 3: the icon needs 8 rows"},
        {"icon\n........\n.......\n", "line 3: an icon row is 8 characters of '#' or '.'"},
        {"icon\n....x...\n", "line 2: an icon row is 8 characters of '#' or '.'"},
        {"icon\n"
         "........\n........\n........\n........\n........\n........\n........\n........\n"
         "icons 12\n",
         "line 10: the icon size must come before the first icon"},
        {"category\n", "line 1: category without a name"},
        {"icon 3\n", "line 1: nothing may follow \"icon\""},
    };
    for (const Case& c : cases) {
        CategoriesSource source;
        const Result parsed = parse_categories_source(c.text, source);
        EXPECT_FALSE(parsed.ok) << c.text;
        EXPECT_EQ(parsed.message, c.error);
    }
}

TEST(CategoriesSource, EncoderKeepsTheLimitsOfTheFile) {
    auto encodes = [](const CategoriesSource& source) {
        std::vector<uint8_t> out;
        const bool ok = encode_categories(source, out).ok;
        if (ok) {
            CategoriesFile file;
            EXPECT_TRUE(read_categories(file, out));  // whatever it makes, the reader takes
        }
        return ok;
    };
    CategoriesSource source;
    source.categories.assign(12, {std::string(31, 'c'), std::vector<std::string>(32, std::string(35, 's'))});
    source.icons.assign(3, MonoIcon{8, {}});
    EXPECT_TRUE(encodes(source));

    CategoriesSource too_many = source;
    too_many.categories.push_back({"x", {}});
    EXPECT_FALSE(encodes(too_many));
    CategoriesSource long_name = source;
    long_name.categories[3].name += 'c';
    EXPECT_FALSE(encodes(long_name));
    CategoriesSource long_sub_type = source;
    long_sub_type.categories[0].sub_types[5] += 's';
    EXPECT_FALSE(encodes(long_sub_type));
    CategoriesSource many_sub_types = source;
    many_sub_types.categories[11].sub_types.push_back("one more");
    EXPECT_FALSE(encodes(many_sub_types));
    CategoriesSource mixed_icons = source;
    mixed_icons.icons.push_back(MonoIcon{12, {}});
    EXPECT_FALSE(encodes(mixed_icons));
}

TEST(CategoriesSource, EncodedFileReadsBackNamesIconsAndLayout) {
    CategoriesSource source;
    source.categories = {{"Lodging", {"Hotel", "Hostel"}}, {"Fuel", {}}};
    MonoIcon icon{8, {}};
    icon.rows[0] = 0x8100;
    icon.rows[7] = 0xFF00;
    source.icons = {icon};
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(encode_categories(source, bytes).ok);
    // Header, one 16-byte icon, then the two records.
    EXPECT_EQ(bytes[1], kIconFormat8);
    EXPECT_EQ(get_le16(&bytes[4]), 2);
    EXPECT_EQ(get_le16(&bytes[6]), 1);
    EXPECT_EQ(get_le32(&bytes[8]), 76u);
    EXPECT_EQ(get_le32(&bytes[12]), 76u + 36 + 2 * 36);
    EXPECT_EQ(bytes.size(), 76u + 36 + 2 * 36 + 36);
    EXPECT_EQ(bytes[60], 0x81);
    EXPECT_EQ(bytes[61], 0x00);

    CategoriesFile file;
    ASSERT_TRUE(read_categories(file, bytes));
    EXPECT_EQ(category_name(file, 0), "Lodging");
    EXPECT_EQ(sub_type_name(file, 0, 1), "Hostel");
    EXPECT_EQ(category_name(file, 1), "Fuel");
    ASSERT_EQ(file.icons.size(), 1u);
    EXPECT_EQ(file.icons[0], icon);
}

}  // namespace
}  // namespace plotwell
