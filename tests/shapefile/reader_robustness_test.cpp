// Every reader path over truncated and corrupted files: the import must finish without reading outside
// what it was given (run this also in the sanitizer build).
#include <gtest/gtest.h>

#include <random>

#include "import_fixture.h"
#include "model/bytes.h"
#include "shapefile/field_text.h"

namespace plotwell::test {
namespace {

ShapefileData sample(int shape_type) {
    ShapefileData d;
    d.shape_type = shape_type;
    d.fields = {{"NAME", 'C', 12}, {"ROAD", 'N', 3}, {"KIND", 'C', 200}};
    const std::vector<XY> square{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
    const std::vector<XY> hole{{1, 1}, {1, 2}, {2, 2}, {2, 1}, {1, 1}};
    d.records.push_back(parts_record({square, hole}, {"Lake Shore", "1", "water"}));
    d.records.push_back(parts_record({{{0, 0}, {1, 1}}}, {"Elm", "1", "road"}));
    ShpRecord null_shape;
    null_shape.shape_type = 0;
    null_shape.values = {"nothing"};
    d.records.push_back(null_shape);
    d.records.push_back(parts_record({{{1, 1}, {2, 5}, {3, 3}}}, {"Oak", "2", "x"}));
    return d;
}

// Runs the whole import with every optional path switched on.
void import_everything(const ShapefileBytes& b, int dimension_hint) {
    ImportCase c(ShapefileData{});
    open_shapefile_bytes(c.reader, b.shp, b.shx, b.dbf);
    c.settings = default_import_settings(c.project, c.reader, "fuzz", 0);
    if (c.settings.dimension < 0) c.settings.dimension = dimension_hint;
    const int fields = c.reader.field_count;
    for (int i = 0; i < std::min(fields, 3); ++i)
        c.settings.name_fields.indices[c.settings.name_fields.count++] = i;
    if (fields > 1) c.settings.link_fields = {{1}, 1};
    if (fields > 2) {
        c.settings.type_translation.kind = kStringTable;
        c.settings.type_translation.field_index = 2;
        c.settings.type_translation.match_mode = kMatchPrefix;
        c.settings.type_translation.entry_count = 1;  // the empty text matches everything: type 0
        c.settings.icon_translation.kind = kNumericRanges;
        c.settings.icon_translation.field_index = 1;
        c.settings.icon_translation.ranges[0] = {-1e30f, 1e30f, 3};
        c.settings.icon_translation.entry_count = 1;
    }
    c.settings.multipart_policy = kCcwPartsGetCcwType;
    c.settings.multiply_x = c.settings.multiply_y = 1000;
    c.run();
    // Reading the table layout and all records directly as a user's info command would.
    for (const DbfField& f : c.reader.fields) (void)field_text(c.reader.record, f, 160);
}

void every_prefix(const ShapefileBytes& whole, int dimension) {
    for (int file = 0; file < 3; ++file) {
        const std::vector<uint8_t>& full = file == 0 ? whole.shp : file == 1 ? whole.shx : whole.dbf;
        for (size_t n = 0; n <= full.size(); ++n) {
            ShapefileBytes cut = whole;
            std::vector<uint8_t>& target = file == 0 ? cut.shp : file == 1 ? cut.shx : cut.dbf;
            target.assign(full.begin(), full.begin() + std::ptrdiff_t(n));
            import_everything(cut, dimension);
        }
    }
}

TEST(ReaderRobustness, EveryPrefixOfEveryFile) {
    for (int type : {1, 3, 5}) {
        ShapefileData d = sample(type);
        if (type == 1) {
            d.records = {point_record(1, 2, {"a", "1", "b"}), point_record(3, 4, {"c", "2", "d"})};
        }
        every_prefix(build_shapefile(d), type == 1 ? 0 : type == 3 ? 1 : 2);
    }
}

TEST(ReaderRobustness, CorruptedWordsAndBytes) {
    std::mt19937 rng(77);
    const uint32_t nasty[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 0x10000, 44, 100, 6144};
    for (int type : {1, 3, 5}) {
        const ShapefileBytes whole = build_shapefile(sample(type));
        for (int round = 0; round < 1500; ++round) {
            ShapefileBytes b = whole;
            for (int k = 0, edits = 1 + int(rng() % 4); k < edits; ++k) {
                std::vector<uint8_t>& target = rng() % 3 == 0 ? b.shx : rng() % 2 ? b.shp : b.dbf;
                if (target.size() < 4) continue;
                const size_t at = rng() % (target.size() - 3);
                if (rng() % 2) {
                    const uint32_t v = nasty[rng() % std::size(nasty)];
                    if (rng() % 2)
                        put_le32(target.data() + at, v);
                    else
                        put_be32(target.data() + at, v);
                } else {
                    target[at] = uint8_t(rng());
                }
            }
            import_everything(b, type == 1 ? 0 : type == 3 ? 1 : 2);
        }
    }
}

TEST(ReaderRobustness, RandomBytes) {
    std::mt19937 rng(3);
    for (int round = 0; round < 500; ++round) {
        ShapefileBytes b;
        for (auto* f : {&b.shp, &b.shx, &b.dbf}) {
            f->resize(rng() % 400);
            for (auto& byte : *f) byte = uint8_t(rng());
        }
        // A plausible shape type so that the record paths run.
        const int32_t types[] = {1, 3, 5};
        if (b.shp.size() >= 100) put_le32(b.shp.data() + 32, uint32_t(types[round % 3]));
        import_everything(b, round % 3);
    }
}

}  // namespace
}  // namespace plotwell::test
