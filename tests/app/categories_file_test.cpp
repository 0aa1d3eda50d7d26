#include "dialogs/categories_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/bytes.h"
#include "support/scratch_dir.h"

namespace plotwell {
namespace {

const std::string kDataDir = std::string(PLOTWELL_SOURCE_DIR) + "/data";

std::vector<uint8_t> sample_file() {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(read_whole_file(kDataDir + "/categories.tpc", bytes));
    return bytes;
}

// A categories file laid out by hand, so that every field can be bent.
struct RawCategory {
    std::vector<uint8_t> name;  // stored as given, zero-filled to 32 bytes (cut at 32)
    uint16_t sub_type_count = 0;
    std::vector<std::vector<uint8_t>> sub_types;  // each zero-filled or cut to 36 bytes
};

std::vector<uint8_t> bytes_of(std::string_view s) {
    return {s.begin(), s.end()};
}

std::vector<uint8_t> raw_file(uint8_t format, uint16_t icon_count, size_t icons_stored,
                              const std::vector<RawCategory>& categories, uint16_t stored_count = 0xFFFF) {
    const size_t icon_size = format == 0 ? 24 : 16;
    ByteBuffer b;
    b.put_u8(0);
    b.put_u8(format);
    b.put_le16(0);
    b.put_le16(stored_count == 0xFFFF ? uint16_t(categories.size()) : stored_count);
    b.put_le16(icon_count);
    b.put_zeros(60 - b.size());
    for (size_t i = 0; i < icons_stored * icon_size; ++i) b.put_u8(uint8_t(0x80 >> (i % 8)));
    for (size_t i = 0; i < categories.size(); ++i) {
        const RawCategory& c = categories[i];
        if (8 + 4 * i + 4 <= 60) put_le32(b.bytes.data() + 8 + 4 * i, uint32_t(b.size()));
        std::vector<uint8_t> name = c.name;
        name.resize(32, 0);
        b.put_bytes(name.data(), 32);
        b.put_le16(c.sub_type_count);
        b.put_le16(0);
        for (std::vector<uint8_t> s : c.sub_types) {
            s.resize(36, 0);
            b.put_bytes(s.data(), 36);
        }
    }
    return b.bytes;
}

RawCategory category(std::string_view name, std::vector<std::string_view> sub_types) {
    RawCategory c;
    c.name = bytes_of(name);
    c.sub_type_count = uint16_t(sub_types.size());
    for (std::string_view s : sub_types) c.sub_types.push_back(bytes_of(s));
    return c;
}

TEST(LoadCategories, LoadsTheSampleFileByName) {
    CategoriesFile file;
    std::string name = "categories";
    ASSERT_TRUE(load_categories(file, name, kDataDir));
    EXPECT_EQ(name, "categories");
    EXPECT_EQ(file.file_name, "categories.tpc");
    ASSERT_EQ(category_count(file), 12);
    EXPECT_EQ(category_name(file, 0), "Food & Drink");
    EXPECT_EQ(category_name(file, 11), "Fuel");
    ASSERT_GE(sub_type_count(file, 0), 5);
    EXPECT_EQ(sub_type_name(file, 0, 0), "Restaurant");
    EXPECT_EQ(sub_type_name(file, 2, 0), "Railway Station");
    for (int c = 0; c < category_count(file); ++c) {
        EXPECT_GE(sub_type_count(file, c), 3) << category_name(file, c);
        for (int s = 0; s < sub_type_count(file, c); ++s) EXPECT_FALSE(sub_type_name(file, c, s).empty());
    }
    // One 8 x 8 icon per category; the first one's top row is ".#.#.##.".
    EXPECT_EQ(file.icon_format, kIconFormat8);
    ASSERT_EQ(file.icons.size(), 12u);
    const MonoIcon& fork = file.icons[0];
    EXPECT_EQ(fork.size, 8);
    std::string row;
    for (int x = 0; x < 8; ++x) row += fork.ink(x, 0) ? '#' : '.';
    EXPECT_EQ(row, ".#.#.##.");
    const Image image = icon_image(fork);
    EXPECT_EQ(image.width, 8);
    EXPECT_EQ(image.pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFFFu);
}

TEST(LoadCategories, FindsTheFirstTpcFileWhenNoNameIsGivenAndFailsWithoutOne) {
    test::ScratchDir dir;
    CategoriesFile file;
    std::string name;
    EXPECT_FALSE(load_categories(file, name, dir.path().string()));

    const std::vector<uint8_t> one = raw_file(1, 0, 0, {category("One", {})});
    const std::vector<uint8_t> two = raw_file(1, 0, 0, {category("Two", {}), category("Three", {})});
    dir.write("notes.txt", std::string_view("not a categories file"));
    dir.write("zeta.tpc", one);
    dir.write("beta.tpc", two);
    ASSERT_TRUE(load_categories(file, name, dir.path().string()));
    EXPECT_EQ(name, "beta");
    EXPECT_EQ(category_count(file), 2);

    // A named file that is not there fails even when others are.
    name = "categories";
    EXPECT_FALSE(load_categories(file, name, dir.path().string()));
    EXPECT_EQ(category_count(file), 0);
    // The same name in other letter case is found (files copied from systems that ignore case).
    dir.write("CATEGORIES.TPC", one);
    ASSERT_TRUE(load_categories(file, name, dir.path().string()));
    EXPECT_EQ(name, "categories");
    EXPECT_EQ(category_name(file, 0), "One");
}

TEST(ReadCategories, IconCountZeroLoadsWhateverTheFormatByteHolds) {
    CategoriesFile file;
    EXPECT_TRUE(read_categories(file, raw_file(7, 0, 0, {category("A", {"x"})})));
    EXPECT_TRUE(file.icons.empty());
    EXPECT_EQ(sub_type_name(file, 0, 0), "x");
    // With icons, only the two known formats load.
    EXPECT_FALSE(read_categories(file, raw_file(7, 1, 1, {category("A", {"x"})})));
    EXPECT_FALSE(read_categories(file, raw_file(2, 1, 1, {category("A", {"x"})})));
}

TEST(ReadCategories, TwelvePixelIconsTakeTwoBytesARowForTwelveRows) {
    CategoriesFile file;
    // raw_file fills icon bytes with a diagonal 0x80, 0x40, ...: row r is bytes 2r, 2r + 1.
    ASSERT_TRUE(read_categories(file, raw_file(0, 2, 2, {category("A", {})})));
    ASSERT_EQ(file.icons.size(), 2u);
    EXPECT_EQ(file.icons[0].size, 12);
    EXPECT_EQ(file.icons[0].rows[0], 0x8040);
    EXPECT_EQ(file.icons[0].rows[1], 0x2010);
    EXPECT_EQ(file.icons[1].rows[0], 0x8040);  // the second icon starts 24 bytes on
    EXPECT_TRUE(file.icons[0].ink(0, 0));
    EXPECT_TRUE(file.icons[0].ink(9, 0));
    EXPECT_FALSE(file.icons[0].ink(1, 0));
    // Icons past the end of the file are refused.
    EXPECT_FALSE(read_categories(file, raw_file(0, 3, 2, {})));
    EXPECT_FALSE(read_categories(file, raw_file(1, 1, 0, {})));
}

TEST(ReadCategories, ZeroSubTypesGiveAnEmptyList) {
    CategoriesFile file;
    ASSERT_TRUE(read_categories(file, raw_file(1, 0, 0, {category("Empty", {}), category("B", {"b"})})));
    EXPECT_EQ(sub_type_count(file, 0), 0);
    EXPECT_EQ(sub_type_name(file, 0, 0), "");
    EXPECT_EQ(sub_type_count(file, 1), 1);
}

TEST(ReadCategories, NamesAreShownExactlyAsStoredAndNeverPastTheirField) {
    RawCategory c = category("", {});
    c.name = bytes_of("Caf\xE9");
    c.name.push_back(0);
    for (char ch : std::string_view("garbage")) c.name.push_back(uint8_t(ch));
    c.sub_type_count = 3;
    c.sub_types = {bytes_of("  padded  "), std::vector<uint8_t>(36, 'S'), bytes_of("")};
    RawCategory full = category("", {});
    full.name.assign(32, 'N');  // no terminator in the field

    CategoriesFile file;
    ASSERT_TRUE(read_categories(file, raw_file(1, 0, 0, {c, full})));
    EXPECT_EQ(category_name(file, 0), "Caf\xE9");
    EXPECT_EQ(sub_type_name(file, 0, 0), "  padded  ");
    EXPECT_EQ(sub_type_name(file, 0, 1), std::string(36, 'S'));
    EXPECT_EQ(sub_type_name(file, 0, 2), "");
    EXPECT_EQ(category_name(file, 1), std::string(32, 'N'));
}

TEST(ReadCategories, IndicesOutOfRangeGiveNothing) {
    CategoriesFile file;
    EXPECT_EQ(category_name(file, 0), "");  // nothing loaded
    EXPECT_EQ(sub_type_count(file, 0), 0);
    ASSERT_TRUE(read_categories(file, raw_file(1, 0, 0, {category("A", {"a"})})));
    EXPECT_EQ(category_name(file, -1), "");
    EXPECT_EQ(category_name(file, 1), "");
    EXPECT_EQ(sub_type_count(file, 12), 0);
    EXPECT_EQ(sub_type_name(file, 0, 1), "");
    EXPECT_EQ(sub_type_name(file, 0, -1), "");
}

TEST(ReadCategories, RefusesWhatItCannotHoldOrWhatRunsPastTheEnd) {
    auto refused = [](std::vector<uint8_t> bytes, const char* what) {
        CategoriesFile file;
        // A refusal leaves nothing behind, also after an earlier good load.
        ASSERT_TRUE(read_categories(file, raw_file(1, 0, 0, {category("A", {"a"})})));
        EXPECT_FALSE(read_categories(file, std::move(bytes))) << what;
        EXPECT_EQ(category_count(file), 0) << what;
        EXPECT_EQ(file.view, nullptr) << what;
        EXPECT_TRUE(file.icons.empty()) << what;
    };
    std::vector<RawCategory> twelve(12, category("C", {"s"}));
    {
        CategoriesFile file;
        EXPECT_TRUE(read_categories(file, raw_file(1, 0, 0, twelve)));
        EXPECT_EQ(category_count(file), 12);
    }
    std::vector<RawCategory> thirteen(13, category("C", {"s"}));
    refused(raw_file(1, 0, 0, thirteen), "13 categories");
    refused(raw_file(1, 0, 0, {}, 200), "a count far past the table");

    std::vector<std::string_view> names(32, "sub");
    {
        CategoriesFile file;
        EXPECT_TRUE(read_categories(file, raw_file(1, 0, 0, {category("C", names)})));
        EXPECT_EQ(sub_type_count(file, 0), 32);
    }
    names.push_back("one too many");
    refused(raw_file(1, 0, 0, {category("C", names)}), "33 sub-types");

    RawCategory short_of_entries = category("C", {"a", "b"});
    short_of_entries.sub_type_count = 3;
    refused(raw_file(1, 0, 0, {short_of_entries}), "sub-type entries past the end");
    std::vector<uint8_t> cut = raw_file(1, 0, 0, {category("C", {})});
    cut.pop_back();
    refused(cut, "record head past the end");
    std::vector<uint8_t> far = raw_file(1, 0, 0, {category("C", {})});
    put_le32(far.data() + 8, 0xFFFFFFF0u);
    refused(far, "offset past the end");
    refused(std::vector<uint8_t>{0, 1, 0, 0, 1, 0, 0}, "header cut");
    refused(std::vector<uint8_t>{0, 1, 0, 0, 1, 0, 0, 0, 60}, "offset table cut");
    refused({}, "empty file");
}

TEST(ReadCategories, EveryPrefixOfTheSampleFileIsRefused) {
    const std::vector<uint8_t> file = sample_file();
    ASSERT_GT(file.size(), 60u);
    for (size_t n = 0; n < file.size(); ++n) {
        CategoriesFile loaded;
        EXPECT_FALSE(read_categories(loaded, std::vector<uint8_t>(file.begin(), file.begin() + ptrdiff_t(n))))
            << n;
    }
    CategoriesFile loaded;
    EXPECT_TRUE(read_categories(loaded, file));
}

TEST(ReadCategories, RandomlyCorruptedFilesLoadSoundlyOrNotAtAll) {
    const std::vector<uint8_t> original = sample_file();
    std::mt19937 random(4711);
    int loaded_count = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = original;
        const int changes = 1 + int(random() % 4);
        for (int k = 0; k < changes; ++k) {
            const size_t limit = random() % 2 ? 64 : bytes.size();
            bytes[random() % limit] = uint8_t(random());
        }
        CategoriesFile file;
        if (!read_categories(file, bytes)) continue;
        ++loaded_count;
        ASSERT_LE(category_count(file), kMaxCategories);
        for (int c = 0; c < category_count(file); ++c) {
            EXPECT_LE(category_name(file, c).size(), kCategoryNameSize);
            ASSERT_LE(sub_type_count(file, c), kMaxSubTypes);
            for (int s = 0; s < sub_type_count(file, c); ++s)
                EXPECT_LE(sub_type_name(file, c, s).size(), kSubTypeEntrySize);
        }
    }
    EXPECT_GT(loaded_count, 0);  // harmless changes (inside names, icons) still load
}

}  // namespace
}  // namespace plotwell
