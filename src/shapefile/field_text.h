// The text of attribute fields as names, keys and translation values are built from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "shapefile/shapefile_reader.h"

namespace plotwell {

// Text of one field of an attribute record: at most `length` bytes from the field's offset, stopping at
// a NUL or when capacity - 1 characters are held; blanks are dropped in numeric ("N") fields and kept in
// all others; trailing blanks removed. Bytes outside the record count as absent.
std::string field_text(std::span<const uint8_t> record, const DbfField& field, size_t capacity);
// The texts of all fields of the list joined by single blanks, at most capacity - 1 characters. An
// empty or all-blank field adds nothing, wherever it stands in the list.
std::string joined_field_text(std::span<const uint8_t> record, const FieldList& list, size_t capacity);

}  // namespace plotwell
