#include "export/publisher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/text.h"
#include "support/scratch_dir.h"

namespace plotwell {
namespace {

PublisherInfo read_text(std::string_view bytes) {
    PublisherInfo info;
    read_publisher_text(info, bytes);
    return info;
}

std::string notice(const PublisherInfo& info) {
    return std::string(field_text(info.publisher_notice));
}
std::string contact(const PublisherInfo& info) {
    return std::string(field_text(info.contact));
}

TEST(ReadPublisher, LongFirstLineContinuesIntoTheContact) {
    const std::string first(31, 'A');
    const PublisherInfo info = read_text(first + "123456789\r\nStreet 1\r\nTown");
    EXPECT_EQ(notice(info), first);
    EXPECT_EQ(contact(info), "123456789\nStreet 1\nTown");
}

TEST(ReadPublisher, ShortFirstLineLosesItsLineBreak) {
    const PublisherInfo info = read_text("(c) Maps Ltd\r\nPhone 123\r\nmail@example.org\r\n");
    EXPECT_EQ(notice(info), "(c) Maps Ltd");
    EXPECT_EQ(contact(info), "Phone 123\nmail@example.org\n");

    EXPECT_EQ(notice(read_text("only a notice")), "only a notice");
    EXPECT_EQ(contact(read_text("only a notice")), "");
    EXPECT_EQ(notice(read_text("\r\ncontact only")), "");
    EXPECT_EQ(contact(read_text("\r\ncontact only")), "contact only");
    // A line break of a bare LF (a file edited elsewhere) ends the line too.
    EXPECT_EQ(notice(read_text("unix\nline")), "unix");
}

TEST(ReadPublisher, NoticeOfExactlyThirtyOneCharactersKeepsNoEmptyContactLine) {
    const std::string first(31, 'N');
    const PublisherInfo info = read_text(first + "\r\nContact");
    EXPECT_EQ(notice(info), first);
    EXPECT_EQ(contact(info), "Contact");
}

TEST(ReadPublisher, ContactTakesAtMost126Characters) {
    std::string rest;
    for (int i = 0; i < 200; ++i) rest += char('a' + i % 26);
    PublisherInfo info = read_text("n\r\n" + rest);
    EXPECT_EQ(contact(info), rest.substr(0, 126));
    // Line breaks count once, as they are held in memory.
    std::string lines;
    for (int i = 0; i < 100; ++i) lines += "x\r\n";
    info = read_text("n\r\n" + lines);
    std::string expected;
    for (int i = 0; i < 63; ++i) expected += "x\n";
    EXPECT_EQ(contact(info), expected);
}

TEST(ReadPublisher, MissingFileEmptiesBothFields) {
    test::ScratchDir dir;
    PublisherInfo info;
    set_field(info.publisher_notice, "old");
    set_field(info.contact, "old");
    read_publisher(info, dir.file("publisher.txt"));
    EXPECT_EQ(notice(info), "");
    EXPECT_EQ(contact(info), "");
    read_publisher(info, dir.path().string());  // a directory reads as nothing
    EXPECT_EQ(notice(info), "");
}

TEST(WritePublisher, WritesCrLfLinesWithoutAFinalBreakAndReadsBackTheSame) {
    test::ScratchDir dir;
    const std::string path = dir.file("publisher.txt");
    PublisherInfo info;
    set_field(info.publisher_notice, "(c) 2026 Plotwell Maps");
    set_field(info.contact, "Harbour Road 4\nPort Ellen\nmaps@example.org");
    ASSERT_TRUE(write_publisher(info, path));
    EXPECT_EQ(dir.read("publisher.txt"),
              "(c) 2026 Plotwell Maps\r\nHarbour Road 4\r\nPort Ellen\r\nmaps@example.org");

    PublisherInfo back;
    read_publisher(back, path);
    EXPECT_EQ(notice(back), notice(info));
    EXPECT_EQ(contact(back), contact(info));

    // A contact edited with CR LF breaks is not written with doubled carriage returns, and the file
    // stays the same run after run.
    set_field(info.contact, "line 1\r\nline 2");
    ASSERT_TRUE(write_publisher(info, path));
    EXPECT_EQ(dir.read("publisher.txt"), "(c) 2026 Plotwell Maps\r\nline 1\r\nline 2");
    for (int run = 0; run < 3; ++run) {
        read_publisher(back, path);
        ASSERT_TRUE(write_publisher(back, path));
    }
    EXPECT_EQ(dir.read("publisher.txt"), "(c) 2026 Plotwell Maps\r\nline 1\r\nline 2");

    // Empty details write a lone line break and read back empty.
    ASSERT_TRUE(write_publisher(PublisherInfo{}, path));
    EXPECT_EQ(dir.read("publisher.txt"), "\r\n");
    read_publisher(back, path);
    EXPECT_EQ(notice(back), "");
    EXPECT_EQ(contact(back), "");
}

TEST(WritePublisher, UnwritablePlaceIsReportedAndHarmless) {
    test::ScratchDir dir;
    PublisherInfo info;
    set_field(info.publisher_notice, "x");
    EXPECT_FALSE(write_publisher(info, dir.file("no/such/dir/publisher.txt")));
    EXPECT_FALSE(write_publisher(info, dir.path().string()));  // a directory stands in the way
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
}

TEST(ReadPublisher, AnyBytesGiveTerminatedFieldsWithinTheirLimits) {
    const std::string real = "(c) 2026 Plotwell Maps and Charts Ltd\r\nHarbour Road 4\r\nPort Ellen\r\n";
    std::mt19937 random(99);
    auto check = [](const PublisherInfo& info) {
        EXPECT_LE(field_text(info.publisher_notice).size(), 31u);
        EXPECT_LE(field_text(info.contact).size(), 126u);
        EXPECT_EQ(info.publisher_notice[31], 0);
        EXPECT_EQ(info.contact[127], 0);
    };
    for (size_t n = 0; n <= real.size(); ++n) check(read_text(std::string_view(real).substr(0, n)));
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes) c = random() % 3 ? char(random()) : "\r\n\0"[random() % 3];
        check(read_text(bytes));
    }
    // The same through the file, also for a file much larger than anything it keeps.
    test::ScratchDir dir;
    PublisherInfo info;
    read_publisher(info, dir.write("big.txt", std::string(1 << 20, 'z')));
    EXPECT_EQ(notice(info), std::string(31, 'z'));
    EXPECT_EQ(contact(info), std::string(126, 'z'));
}

}  // namespace
}  // namespace plotwell
