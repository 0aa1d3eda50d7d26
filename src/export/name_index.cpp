#include "export/name_index.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "model/bytes.h"

namespace plotwell {

const char* const kSuffixTable[kSuffixCount + 1] = {
    "",      " St",       " Hwy",       " Fwy",  " Brdg",   " Pky",        " Ave",     " Cir",
    " Rd",   " Pl",       " Dr",        " Ct",   " Way",    " Ln",         " Ter",     " River",
    " Lake", " Railroad", " Reservoir", " Park", " Square", " University", " College", " Center"};

namespace {
struct Fold {
    uint8_t from;
    char to;
};
// First match wins; 0xE2 stands twice.
const Fold kFoldingTable[32] = {
    {0xE2, 'a'}, {0xE0, 'a'}, {0xE1, 'a'}, {0xE2, 'a'}, {0xEA, 'e'}, {0xE9, 'e'}, {0xE8, 'e'}, {0xEF, 'i'},
    {0xEE, 'i'}, {0xEC, 'i'}, {0xED, 'i'}, {0xF2, 'o'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF1, 'n'}, {0xE7, 'c'},
    {0xFB, 'u'}, {0xF9, 'u'}, {0xFA, 'u'}, {0xFC, 'u'}, {0xC1, 'a'}, {0xC4, 'A'}, {0xD6, 'O'}, {0xDC, 'U'},
    {0xBF, '.'}, {0xE4, 'a'}, {0xEB, 'e'}, {0xF6, 'o'}, {0xDF, 's'}, {0xE5, 'a'}, {0xE6, 'a'}, {0xF8, 'o'}};

char fold_char(uint8_t c) {
    if (c < 0x80) return char(c);
    for (const Fold& f : kFoldingTable)
        if (f.from == c) return f.to;
    return '*';
}

bool ends_with(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
}  // namespace

std::string fold_name(std::string_view name) {
    std::string out(name.size(), '\0');
    for (size_t i = 0; i < name.size(); ++i) out[i] = fold_char(uint8_t(name[i]));
    return out;
}

size_t encode_name(const ExportState& state, int32_t at, std::string_view name, uint8_t* out) {
    if (name.empty()) {
        out[0] = 0x00;
        out[1] = 0x80;
        return 2;
    }
    size_t n = 0;
    int32_t start = std::max(at - kMaxBackDistance, 0);
    if (start / state.data_record_size != at / state.data_record_size)
        start = at / state.data_record_size * state.data_record_size;
    const uint8_t* data = state.data_area.data();
    const BackReference ref = state.name_search == NameSearchMode::plain
                                  ? find_back_reference_plain(data, start, at, name)
                                  : find_back_reference_fast(state.search_index, data, start, at, name);
    std::string_view rest;
    if (ref.position >= 0) {
        const uint16_t v = uint16_t(0x8000 | ((at - ref.position) << 4) | (ref.length - kMinBackReference));
        put_be16(out, v);
        n = 2;
        rest = name.substr(size_t(ref.length));
    } else {
        out[n++] = uint8_t(name[0]);
        rest = name.substr(1);
    }
    uint8_t terminator = 0x80;
    for (int k = 1; k <= kSuffixCount; ++k) {
        if (ends_with(rest, kSuffixTable[k])) {
            rest.remove_suffix(std::strlen(kSuffixTable[k]));
            terminator = uint8_t(0x80 | k);
            break;
        }
    }
    std::memcpy(out + n, rest.data(), rest.size());
    n += rest.size();
    out[n++] = terminator;
    return n;
}

DecodedName decode_name(std::span<const uint8_t> data, size_t pos, size_t floor) {
    DecodedName r;
    if (pos >= data.size()) {
        r.problem = "name runs past the data";
        return r;
    }
    size_t p = pos;
    if (data[p] & 0x80) {
        if (p + 2 > data.size()) {
            r.problem = "back-reference runs past the data";
            return r;
        }
        const uint16_t v = get_be16(data.data() + p);
        const size_t d = (v >> 4) & 0x7FF;
        const size_t n = size_t(v & 0xF) + kMinBackReference;
        if (d == 0 || d > p - floor || n > d) {
            r.problem = "back-reference outside its data record";
            return r;
        }
        r.text.assign(reinterpret_cast<const char*>(data.data() + p - d), n);
        p += 2;
    }
    while (p < data.size() && !(data[p] & 0x80)) r.text.push_back(char(data[p++]));
    if (p >= data.size()) {
        r.problem = "name without terminator";
        return r;
    }
    const int k = data[p++] & 0x7F;
    if (k > kSuffixCount) {
        r.problem = "unknown name suffix";
        return r;
    }
    r.text += kSuffixTable[k];
    const size_t nul = r.text.find('\0');
    if (nul != std::string::npos) r.text.resize(nul);
    r.ok = true;
    r.end = p;
    return r;
}

size_t skip_name(std::span<const uint8_t> data, size_t pos) {
    size_t p = pos;
    if (p < data.size() && (data[p] & 0x80)) p += 2;
    while (p < data.size() && !(data[p] & 0x80)) ++p;
    if (p >= data.size()) return 0;
    const uint8_t terminator = data[p++];
    if (terminator & 0x40) ++p;
    if (terminator & 0x20) ++p;
    return p <= data.size() ? p : 0;
}

int name_position(uint8_t type_code) {
    switch (type_code) {
        case 9:
            return 8;
        case 18:
            return 10;
        case 21:
            return 5;
        case 14:
        case 15:
            return -1;
        default:
            return 3;
    }
}

DecodedName definition_name(const ExportState& state, int32_t position) {
    const std::span<const uint8_t> area(state.data_area.data(), size_t(state.write_pos));
    DecodedName r;
    if (position < 0 || position + 3 > state.write_pos) {
        r.problem = "definition outside the data";
        return r;
    }
    const int offset = name_position(area[size_t(position) + 2]);
    if (offset < 0) {
        r.ok = true;
        return r;
    }
    const size_t record_start = size_t(position / state.data_record_size) * size_t(state.data_record_size);
    return decode_name(area, size_t(position + offset), record_start);
}

int compare_index_names(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const uint8_t ca = uint8_t(a[i] >= 'A' && a[i] <= 'Z' ? a[i] + 32 : a[i]);
        const uint8_t cb = uint8_t(b[i] >= 'A' && b[i] <= 'Z' ? b[i] + 32 : b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool printable_name(std::string_view name) {
    for (char c : name)
        if (uint8_t(c) < 0x20 || uint8_t(c) > 0x7E) return false;
    return true;
}

bool sort_name_index(ExportState& state, ProgressSink& sink) {
    sink.log_line("Sorting name index...\r\n");
    // Each name is decoded once; equal names keep their order of storing.
    std::vector<std::string> names(state.name_index.size());
    std::vector<bool> good(state.name_index.size());
    for (size_t i = 0; i < names.size(); ++i) {
        DecodedName d = definition_name(state, state.name_index[i]);
        good[i] = d.ok;
        names[i] = std::move(d.text);
    }
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return compare_index_names(names[a], names[b]) < 0; });
    std::vector<int32_t> sorted(order.size());
    bool corrupted = false;
    for (size_t i = 0; i < order.size(); ++i) {
        sorted[i] = state.name_index[order[i]];
        if (!good[order[i]] || !printable_name(names[order[i]])) corrupted = true;
    }
    state.name_index = std::move(sorted);
    if (corrupted) {
        state.build_error = "Name corrupted!";
        return false;
    }
    return true;
}

}  // namespace plotwell
