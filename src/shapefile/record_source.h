// Where the import engine's records come from: the own shapefile reader, or any vector source GDAL
// reads. Every source hands out its records in the shapefile's own layout (shape content as in the main
// file, attributes as a dBASE record of the layout's fields), so that one engine with one set of rules
// imports them all.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "shapefile/shapefile_reader.h"
#include "shapefile/text_encoding.h"

namespace plotwell {

class RecordSource {
  public:
    virtual ~RecordSource() = default;
    // The shape type (main file header) and the attribute fields (dBASE header), as a shapefile states them.
    virtual const ShapefileReader& layout() const = 0;
    // Records expected, for the progress bar (0 when not known).
    virtual int record_count() = 0;
    virtual void rewind() = 0;
    // Reads the next record; false past the last one.
    virtual bool next_record() = 0;
    virtual std::span<const uint8_t> shape() const = 0;
    virtual std::span<const uint8_t> attributes() const = 0;
    // Why the records ended early ("" when they did not).
    virtual std::string read_error() const { return {}; }
};

// Moves points from the source's coordinate system into another, a batch at a time (one call into the
// projection library per record, not per point); a point it cannot move becomes NaN, which the engine
// refuses as out of range.
class PointTransform {
  public:
    virtual ~PointTransform() = default;
    virtual void apply(std::span<double> x, std::span<double> y) const = 0;
};

// Moves every point of a shape content in the shapefile layout. Contents it cannot read are left alone.
void transform_shape_content(std::vector<uint8_t>& content, const PointTransform& transform);

// The shapefile through its own reader, with its character fields optionally converted to
// Windows-1252 and its points optionally transformed.
class ShapefileRecordSource final : public RecordSource {
  public:
    explicit ShapefileRecordSource(ShapefileReader& reader, const TextConverter* text = nullptr,
                                   const PointTransform* transform = nullptr)
        : reader_(reader), text_(text), transform_(transform) {}
    const ShapefileReader& layout() const override { return reader_; }
    int record_count() override { return count_records(reader_); }
    void rewind() override { rewind_records(reader_); }
    bool next_record() override;
    std::span<const uint8_t> shape() const override;
    std::span<const uint8_t> attributes() const override { return reader_.record; }

  private:
    ShapefileReader& reader_;
    const TextConverter* text_;
    const PointTransform* transform_;
    std::vector<uint8_t> moved_;  // the transformed content of the current record
};

}  // namespace plotwell
