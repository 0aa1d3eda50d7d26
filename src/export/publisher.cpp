#include "export/publisher.h"

#include <cstdio>
#include <span>

#include "model/file_commit.h"
#include "model/text.h"

namespace plotwell {

namespace {

constexpr size_t kNoticeChars = kPublisherNoticeSize - 1;  // 31
constexpr size_t kContactChars = 126;                      // what one read of the rest takes
constexpr size_t kMaxPublisherBytes = 2 * (kNoticeChars + 1 + kContactChars) + 2;

// CR LF becomes "\n", as a text-mode read does; a lone CR stays.
std::string from_disk_line_breaks(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

// "\n" and "\r\n" both become CR LF.
std::string to_disk_line_breaks(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) bytes += '\r';
        bytes += text[i];
    }
    return bytes;
}

}  // namespace

void read_publisher_text(PublisherInfo& info, std::string_view file_bytes) {
    info = PublisherInfo{};
    const std::string text = from_disk_line_breaks(file_bytes);
    // First line: up to 31 characters, stopping after its line break.
    size_t first = 0;
    while (first < text.size() && first < kNoticeChars && text[first] != '\n') ++first;
    set_field(info.publisher_notice, std::string_view(text).substr(0, first));
    size_t rest = first;
    // The line break ends the notice and is not kept, also when the notice filled all 31 places (else
    // the contact would start with an empty line that every run would add again).
    if (rest < text.size() && text[rest] == '\n') ++rest;
    set_field(info.contact, std::string_view(text).substr(rest, kContactChars));
}

void read_publisher(PublisherInfo& info, const std::string& path) {
    info = PublisherInfo{};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return;
    // Only the start of the file is ever used: 31 characters, a line break and 126 more, each of which
    // may be a two-byte line break on disk.
    char bytes[kMaxPublisherBytes];
    const size_t got = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    read_publisher_text(info, std::string_view(bytes, got));
}

std::string publisher_file_text(const PublisherInfo& info) {
    std::string text(field_text(info.publisher_notice));
    text += '\n';
    text += field_text(info.contact);
    return to_disk_line_breaks(text);
}

bool write_publisher(const PublisherInfo& info, const std::string& path) {
    const std::string text = publisher_file_text(info);
    return commit_file(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace plotwell
