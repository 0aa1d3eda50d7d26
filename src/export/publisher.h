// The publisher details: a copyright notice and a contact text that the export can put into the map
// database. Kept for the whole run and in "publisher.txt" in the current directory between runs.
//
// publisher.txt: the first line is the notice, the rest of the file the contact text, line breaks
// CR LF on disk. In memory line breaks are "\n" (as a text-mode read leaves them); writing turns
// "\n" and "\r\n" alike into CR LF, so the file does not grow with every run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plotwell {

inline constexpr size_t kPublisherNoticeSize = 32;  // 31 characters + NUL
inline constexpr size_t kContactSize = 128;         // 127 characters + NUL
inline constexpr const char* kPublisherFileName = "publisher.txt";

struct PublisherInfo {
    char publisher_notice[kPublisherNoticeSize] = {};
    char contact[kContactSize] = {};
};

// Reads the file: the first line up to 31 characters is the notice, its line break removed; a longer
// first line continues into the contact, which takes up to 126 further characters. Both fields are
// empty when the file cannot be read.
void read_publisher(PublisherInfo& info, const std::string& path = kPublisherFileName);
void read_publisher_text(PublisherInfo& info, std::string_view file_bytes);

// Writes notice, line break, contact (no final line break). False when the file cannot be written; the
// caller at exit ignores that, and a file that was there is never left half written.
[[nodiscard]] bool write_publisher(const PublisherInfo& info, const std::string& path = kPublisherFileName);
std::string publisher_file_text(const PublisherInfo& info);

}  // namespace plotwell
