// Small text helpers for the fixed-size NUL-terminated fields of the records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plotwell {

// Copies text into a fixed field of `size` bytes, cut to size - 1 characters, NUL-terminated; the rest
// of the field is zero-filled.
void set_field(char* field, size_t size, std::string_view text);
template <size_t N>
void set_field(char (&field)[N], std::string_view text) {
    set_field(field, N, text);
}
// The text of a fixed field up to its terminator, or the whole field when it has none.
std::string_view field_text(const char* field, size_t size);
template <size_t N>
std::string_view field_text(const char (&field)[N]) {
    return field_text(field, N);
}

// Heap copy of a string.
std::string copy_text(std::string_view text);
// Cuts the path at its last "." anywhere in the text (also inside a directory part); unchanged when
// there is none.
std::string cut_at_last_dot(std::string_view path);

// Paths as users type them: "/" and "\\" both separate directories.
bool is_path_separator(char c);
// The file name at the end of a path (the whole text when it has no directory part).
std::string_view file_name_part(std::string_view path);
// The path without the extension of its file name; a "." in a directory name is left alone.
std::string strip_file_extension(std::string_view path);
// The path made absolute against the working directory of this moment, so that a later change of
// that directory cannot move the file it names.
std::string absolute_path(std::string_view path);

// ASCII-only case folding, as every case-insensitive comparison of this program does it.
char ascii_upper(char c);
char ascii_lower(char c);
bool equal_ignoring_case(std::string_view a, std::string_view b);

}  // namespace plotwell
