// Hostile bitmap files from tests/data/errors/: each is refused or decoded into exactly its pixels.
#include <gtest/gtest.h>

#include "model/bitmap_file.h"
#include "support/error_cases.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(BitmapFileErrors, EveryKnownBadFileIsRefusedOrDecodedWithinItsSize) {
    const std::vector<ErrorCase> cases = error_cases("bitmap_file");
    ASSERT_GE(cases.size(), 6u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto image = decode_bitmap(c.bytes);
        if (!image) continue;
        EXPECT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height));
    }
}

TEST(BitmapFileErrors, SizesThatTheFileCannotHoldAreRefused) {
    for (const char* name : {"empty", "file_header_only", "width_huge", "height_int_min", "bits_zero",
                             "info_size_huge"}) {
        SCOPED_TRACE(name);
        const ErrorCase c = error_case("bitmap_file", name);
        ASSERT_EQ(c.name, name);
        EXPECT_EQ(decode_bitmap(c.bytes), nullptr);
    }
}
