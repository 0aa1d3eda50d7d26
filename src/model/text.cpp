#include "model/text.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace plotwell {

void set_field(char* field, size_t size, std::string_view text) {
    if (size == 0) return;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, size - n);
}

std::string_view field_text(const char* field, size_t size) {
    const void* nul = std::memchr(field, 0, size);
    return {field, nul ? size_t(static_cast<const char*>(nul) - field) : size};
}

std::string copy_text(std::string_view text) {
    return std::string(text);
}

std::string cut_at_last_dot(std::string_view path) {
    const size_t dot = path.rfind('.');
    return std::string(dot == std::string_view::npos ? path : path.substr(0, dot));
}

bool is_path_separator(char c) {
    return c == '/' || c == '\\';
}

std::string_view file_name_part(std::string_view path) {
    size_t start = path.size();
    while (start > 0 && !is_path_separator(path[start - 1])) --start;
    return path.substr(start);
}

std::string absolute_path(std::string_view path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    return ec ? std::string(path) : absolute.lexically_normal().string();
}

std::string strip_file_extension(std::string_view path) {
    const size_t name_start = path.size() - file_name_part(path).size();
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < name_start) return std::string(path);
    return std::string(path.substr(0, dot));
}

char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 32) : c;
}
char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_upper(a[i]) != ascii_upper(b[i])) return false;
    return true;
}

}  // namespace plotwell
