#include "shapefile/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>

namespace plotwell {

namespace {

// U+0152..U+017F that Windows-1252 holds in 0x80..0x9F, and its other characters there.
struct Cp1252Extra {
    uint16_t code_point;
    uint8_t byte;
};
constexpr Cp1252Extra kCp1252Extras[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};

// First character of the canonical decomposition of U+0100..U+017F; '?' where there is none (stroked
// letters, ligatures and compatibility forms do not decompose canonically).
constexpr char kLatinExtendedABase[] =
    "AaAaAaCcCcCcCcDd??EeEeEeEeEeGgGg"
    "GgGgHh??IiIiIiIiI???JjKk?LlLlLl?"
    "???NnNnNn???OoOoOo??RrRrRrSsSsSs"
    "??TtTt??UuUuUuUuUuUuWwYy?ZzZz???";

bool is_ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
}

// Decodes UTF-8; each byte that does not start a well-formed sequence gives one "?".
std::string utf8_to_windows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        uint32_t cp = extra == 0 ? c : extra == 1 ? c & 0x1Fu : extra == 2 ? c & 0x0Fu : c & 0x07u;
        bool ok = extra >= 0 && i + size_t(extra) < n;
        for (int k = 1; ok && k <= extra; ++k) {
            if ((s[i + size_t(k)] & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (s[i + size_t(k)] & 0x3Fu);
        }
        // Overlong forms and surrogates are malformed too.
        static constexpr uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(windows1252_char(cp));
        i += size_t(extra) + 1;
    }
    return out;
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = char(std::toupper((unsigned char)c));
    return u;
}

}  // namespace

char windows1252_char(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return char(cp);
    for (const Cp1252Extra& e : kCp1252Extras)
        if (e.code_point == cp) return char(e.byte);
    if (cp >= 0x100 && cp <= 0x17F) return kLatinExtendedABase[cp - 0x100];
    return '?';
}

std::string canonical_encoding(std::string_view name) {
    std::string u = upper(name);
    u.erase(std::remove_if(u.begin(), u.end(), [](char c) { return std::isspace((unsigned char)c); }),
            u.end());
    for (const char* prefix : {"ANSI", "WINDOWS-", "WINDOWS", "CP", "IBM"})
        if (u.rfind(prefix, 0) == 0 && u.size() > std::strlen(prefix) &&
            std::isdigit((unsigned char)u[std::strlen(prefix)])) {
            u = u.substr(std::strlen(prefix));
            break;
        }
    if (u.empty() || u == "1252" || u == "LATIN1") return "";
    if (u == "UTF8" || u == "UTF-8") return "UTF-8";
    if (u.rfind("ISO8859", 0) == 0 || u.rfind("ISO-8859", 0) == 0 || u.rfind("8859", 0) == 0) {
        const std::string part = u.substr(u.find("8859") + 4);
        const std::string number =
            part.empty() || std::isdigit((unsigned char)part[0]) ? part : part.substr(1);
        return number == "1" ? "" : "ISO-8859-" + number;
    }
    if (!u.empty() && std::all_of(u.begin(), u.end(), [](char c) { return std::isdigit((unsigned char)c); }))
        return "CP" + u;
    return u;
}

std::string shapefile_encoding(const std::string& base_path) {
    for (const char* ext : {".cpg", ".CPG"}) {
        std::ifstream in(base_path + ext, std::ios::binary);
        if (!in) continue;
        std::string text;
        std::getline(in, text);
        return canonical_encoding(text.substr(0, 64));
    }
    return "";
}

TextConverter::~TextConverter() {
    if (iconv_) iconv_close(static_cast<iconv_t>(iconv_));
}

Result TextConverter::open(const std::string& encoding) {
    if (iconv_) iconv_close(static_cast<iconv_t>(iconv_));
    iconv_ = nullptr;
    encoding_ = canonical_encoding(encoding);
    if (encoding_.empty() || encoding_ == "UTF-8") return success();
    const iconv_t cd = iconv_open("UTF-32LE", encoding_.c_str());
    if (cd == iconv_t(-1)) {
        const std::string name = encoding_;
        encoding_.clear();
        return failure("Unknown text encoding '" + name + "'");
    }
    iconv_ = cd;
    return success();
}

std::string TextConverter::convert(std::string_view text) const {
    if (encoding_.empty() || is_ascii(text)) return std::string(text);
    if (!iconv_) return utf8_to_windows1252(text);
    const iconv_t cd = static_cast<iconv_t>(iconv_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(text.size());
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    while (in_left > 0) {
        uint32_t cp = 0;
        char* to = reinterpret_cast<char*>(&cp);
        size_t to_left = sizeof cp;
        iconv(cd, &in, &in_left, &to, &to_left);
        if (to_left == 0) {
            out.push_back(windows1252_char(cp));
        } else if (in_left > 0) {
            out.push_back('?');  // a byte that does not decode: skip it
            ++in;
            --in_left;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

void convert_character_fields(std::vector<uint8_t>& record, const std::vector<DbfField>& fields,
                              const TextConverter& converter) {
    for (const DbfField& f : fields) {
        if (f.type != 'C' || f.offset < 0 || size_t(f.offset) >= record.size()) continue;
        const size_t length = std::min<size_t>(f.length, record.size() - size_t(f.offset));
        char* start = reinterpret_cast<char*>(record.data()) + f.offset;
        const size_t used = strnlen(start, length);
        const std::string text = converter.convert(std::string_view(start, used));
        const size_t n = std::min(text.size(), used);
        std::memcpy(start, text.data(), n);
        std::memset(start + n, ' ', used - n);
    }
}

}  // namespace plotwell
