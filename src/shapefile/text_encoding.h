// Names are stored as Windows-1252 text; sources in other encodings are converted field by field.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

// Converts text of one encoding to Windows-1252. A character Windows-1252 lacks becomes the first
// character of its canonical decomposition when that one is in Windows-1252 (Ō -> O), "?" otherwise;
// bytes that do not decode become "?". The empty encoding keeps bytes as they are.
class TextConverter {
  public:
    TextConverter() = default;
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    // Fails for an encoding this system cannot decode. Windows-1252 and ISO-8859-1 need no conversion.
    Result open(const std::string& encoding);
    // The canonical name ("UTF-8", "CP1250", ...), "" when bytes are kept.
    const std::string& encoding() const { return encoding_; }
    bool converts() const { return !encoding_.empty(); }
    std::string convert(std::string_view text) const;

  private:
    std::string encoding_;
    void* iconv_ = nullptr;  // iconv_t for encodings other than UTF-8
};

// The canonical name of an encoding as .cpg files and users write it ("1250", "ANSI 1250", "utf8",
// "ISO8859-2", "852"); "" for Windows-1252, ISO-8859-1 and the empty text, which mean no conversion.
std::string canonical_encoding(std::string_view name);
// The encoding a shapefile's .cpg file names ("" without one).
std::string shapefile_encoding(const std::string& base_path);

// Converts each character field of a dBASE record in place (the text never grows), padded with blanks.
void convert_character_fields(std::vector<uint8_t>& record, const std::vector<DbfField>& fields,
                              const TextConverter& converter);

// One Unicode character as Windows-1252 (with the decomposition fallback), '?' when it has none.
char windows1252_char(uint32_t code_point);

}  // namespace plotwell
