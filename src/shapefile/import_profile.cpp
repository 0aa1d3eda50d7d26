#include "shapefile/import_profile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <locale>
#include <memory>
#include <sstream>
#include <vector>

#include "model/bytes.h"
#include "model/number_text.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

namespace {

constexpr size_t kMaxProfileSize = size_t(1) << 20;

// Splits a value into words: blanks and commas separate, double quotes keep blanks and commas.
Result split_words(std::string_view value, std::vector<std::string>& words) {
    size_t i = 0;
    while (i < value.size()) {
        const char c = value[i];
        if (c == ' ' || c == '\t' || c == ',') {
            ++i;
            continue;
        }
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < value.size()) {
                char d = value[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < value.size()) d = value[i++];
                word.push_back(d);
            }
            if (!closed) return failure("unterminated quoted text");
        } else {
            while (i < value.size() && value[i] != ' ' && value[i] != '\t' && value[i] != ',')
                word.push_back(value[i++]);
        }
        // Texts end up in NUL-terminated fields: a NUL would silently cut them short.
        if (word.find('\0') != std::string::npos) return failure("text holds a NUL character");
        words.push_back(std::move(word));
    }
    return success();
}

std::string trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return std::string(s.substr(b, e - b));
}

bool parse_int(const std::string& word, long long& out) {
    const char* end = word.data() + word.size();
    auto r = std::from_chars(word.data() + (!word.empty() && word[0] == '+'), end, out);
    return r.ec == std::errc() && r.ptr == end && !word.empty();
}

bool parse_float(const std::string& word, float& out) {
    float v = 0;
    const NumberRead r = read_number(word, v);
    if (word.empty() || r.length != word.size() || r.out_of_range) return false;
    out = v;
    return true;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

class ProfileParser {
  public:
    ProfileParser(const ShapefileReader& reader, ShapeImportSettings& s) : reader_(reader), s_(s) {}

    Result line(const std::string& key, const std::string& value) {
        std::vector<std::string> w;
        if (Result split = split_words(value, w); !split.ok) return split;
        auto one = [&]() -> bool { return w.size() == 1; };
        if (key == "name_fields") return fields(w, s_.name_fields);
        if (key == "link_fields") return fields(w, s_.link_fields);
        if (key == "dest_layer") {
            long long v;
            if (!one() || !parse_int(w[0], v) || v < 0 || v >= kMaxLayers)
                return failure("expected a layer number 0..7");
            s_.dest_layer = int(v);
            return success();
        }
        if (key == "default_type")
            return one() ? type(w[0], s_.default_type) : failure("expected one object type");
        if (key == "ccw_type") {
            int t = 0;
            if (!one()) return failure("expected one object type");
            if (Result e = type(w[0], t, kDimPolygon); !e.ok) return e;
            s_.ccw_type = int16_t(t);
            return success();
        }
        if (key == "default_icon") return one() ? icon(w[0], s_.default_icon) : failure("expected one icon");
        if (key == "downcase") return flag(w, s_.downcase);
        if (key == "filter_outside_range") return flag(w, s_.filter_outside_range);
        if (key == "filter_untranslated") return flag(w, s_.filter_untranslated);
        if (key == "substitution_mode") return flag(w, s_.substitution_mode);
        if (key == "multipart_policy") {
            int v = 0;
            if (Result e = flag(w, v); !e.ok) return e;
            s_.multipart_policy = int16_t(v);
            return success();
        }
        if (key == "multiply_x" || key == "multiply_y") {
            long long v;
            if (!one() || !parse_int(w[0], v) || v < INT32_MIN || v > INT32_MAX)
                return failure("expected a whole number");
            if (v == 0) return failure("'Multiply' factors must be non-zero");
            (key == "multiply_x" ? s_.multiply_x : s_.multiply_y) = int32_t(v);
            return success();
        }
        if (key == "add_x" || key == "add_y") {
            float v;
            if (!one() || !parse_float(w[0], v)) return failure("expected a number");
            (key == "add_x" ? s_.add_x : s_.add_y) = v;
            return success();
        }
        if (key == "substitution") {
            if (w.size() != 2) return failure("expected two texts: from and to");
            if (s_.substitution_count >= kMaxSubstitutions) return failure("more than 64 substitutions");
            if (w[0].empty()) return failure("the text to replace is empty");
            if (w[0].size() >= kSubstitutionTextSize || w[1].size() >= kSubstitutionTextSize)
                return failure("substitution texts hold at most 39 characters");
            NameSubstitution& e = s_.substitutions[s_.substitution_count++];
            set_field(e.from, w[0]);
            set_field(e.to, w[1]);
            return success();
        }
        for (ValueTranslation* t : {&s_.type_translation, &s_.icon_translation}) {
            const std::string prefix = t == &s_.type_translation ? "type_translation" : "icon_translation";
            if (key == prefix) return kind(w, *t);
            if (key.rfind(prefix + ".", 0) == 0) return translation(key.substr(prefix.size() + 1), w, *t);
        }
        return failure("unknown setting '" + key + "'");
    }

  private:
    Result fields(const std::vector<std::string>& w, FieldSelection& out) {
        if (w.size() > size_t(kMaxListedFields)) return failure("at most 8 fields");
        FieldSelection sel;
        for (const std::string& name : w) {
            const int i = find_field(reader_, name);
            if (i < 0) return failure("no field '" + name + "' in the attribute table");
            sel.indices[sel.count++] = i;
        }
        out = sel;
        return success();
    }

    Result flag(const std::vector<std::string>& w, int& out) {
        if (w.size() != 1 || (w[0] != "0" && w[0] != "1")) return failure("expected 0 or 1");
        out = w[0] == "1";
        return success();
    }

    // A type of the file's dimension, or of `dimension` when given (the polygon type for ccw parts).
    Result type(const std::string& word, int& out, int dimension = -2) {
        if (dimension == -2) dimension = s_.dimension;
        const int count = dimension >= 0 ? object_type_count(uint8_t(dimension)) : 0;
        for (int i = 0; i < count; ++i) {
            if (equal_ignoring_case(word, object_type_name(uint8_t(dimension), uint8_t(i)))) {
                out = i;
                return success();
            }
        }
        long long v;
        if (parse_int(word, v) && v >= 0 && v < count) {
            out = int(v);
            return success();
        }
        return failure("'" + word + "' is not an object type of this file");
    }

    Result icon(const std::string& word, int& out) {
        for (int i = 0; i < kIconCount; ++i) {
            if (equal_ignoring_case(word, kIconNames[i])) {
                out = i;
                return success();
            }
        }
        long long v;
        if (parse_int(word, v) && v >= 0 && v <= 255) {
            out = int(v);
            return success();
        }
        return failure("'" + word + "' is not an icon");
    }

    Result result(const std::string& word, const ValueTranslation& t, int32_t& out) {
        int v = 0;
        Result e = t.target == kTranslateIcon ? icon(word, v) : type(word, v);
        out = v;
        return e;
    }

    Result kind(const std::vector<std::string>& w, ValueTranslation& t) {
        if (w.size() != 1) return failure("expected none, strings or ranges");
        const int16_t target = t.target;
        const int16_t field = t.field_index;
        if (w[0] == "none") {
            t = ValueTranslation();
        } else if (w[0] == "strings") {
            t = ValueTranslation();
            t.kind = kStringTable;
        } else if (w[0] == "ranges") {
            t = ValueTranslation();
            t.kind = kNumericRanges;
        } else {
            return failure("expected none, strings or ranges");
        }
        t.target = target;
        t.field_index = field;
        return success();
    }

    Result translation(const std::string& sub, const std::vector<std::string>& w, ValueTranslation& t) {
        if (sub == "field") {
            if (w.size() != 1) return failure("expected one field");
            const int i = find_field(reader_, w[0]);
            if (i < 0) return failure("no field '" + w[0] + "' in the attribute table");
            t.field_index = int16_t(i);
            return success();
        }
        if (sub == "match_mode") {
            if (w.size() != 1 || (w[0] != "prefix" && w[0] != "whole"))
                return failure("expected prefix or whole");
            t.match_mode = w[0] == "prefix" ? kMatchPrefix : 0;
            return success();
        }
        if (sub == "case_sensitive") {
            int v = 0;
            if (Result e = flag(w, v); !e.ok) return e;
            t.case_sensitive = int16_t(v);
            return success();
        }
        if (sub == "entry") {
            if (t.kind != kStringTable)
                return failure("string entries need the translation set to strings first");
            if (w.size() != 2) return failure("expected a text and a result");
            if (t.entry_count >= kMaxStringTranslations) return failure("more than 64 string entries");
            if (w[0].size() >= kTranslationTextSize) return failure("entry texts hold at most 39 characters");
            StringTranslationEntry& e = t.strings[t.entry_count];
            if (Result err = result(w[1], t, e.result); !err.ok) return err;
            set_field(e.text, w[0]);
            ++t.entry_count;
            return success();
        }
        if (sub == "range") {
            if (t.kind != kNumericRanges) return failure("ranges need the translation set to ranges first");
            if (w.size() != 3) return failure("expected min, max and a result");
            if (t.entry_count >= kMaxRangeTranslations) return failure("more than 234 ranges");
            RangeTranslationEntry& e = t.ranges[t.entry_count];
            if (!parse_float(w[0], e.min) || !parse_float(w[1], e.max))
                return failure("expected numbers for min and max");
            if (Result err = result(w[2], t, e.result); !err.ok) return err;
            ++t.entry_count;
            return success();
        }
        return failure("unknown translation setting '" + sub + "'");
    }

    const ShapefileReader& reader_;
    ShapeImportSettings& s_;
};

std::string field_names(const FieldSelection& sel, const ShapefileReader& reader) {
    std::string out;
    for (int i = 0; i < sel.count; ++i) {
        if (sel.indices[i] < 0 || sel.indices[i] >= reader.field_count) continue;
        if (!out.empty()) out += ", ";
        out += quoted(reader.fields[size_t(sel.indices[i])].name);
    }
    return out;
}

std::string type_word(int dimension, int type) {
    const char* name = dimension >= 0 ? object_type_name(uint8_t(dimension), uint8_t(type)) : nullptr;
    return name ? name : std::to_string(type);
}

std::string icon_word(int code) {
    return code >= 0 && code < kIconCount ? kIconNames[code] : std::to_string(code);
}

void write_translation(std::ostringstream& out, const char* prefix, const ValueTranslation& t,
                       const ShapefileReader& reader, int dimension) {
    auto word = [&](int32_t r) {
        return t.target == kTranslateIcon ? icon_word(r) : type_word(dimension, r);
    };
    if (t.kind == kNoTranslation) {
        out << prefix << " = none\n";
        return;
    }
    out << prefix << " = " << (t.kind == kStringTable ? "strings" : "ranges") << "\n";
    if (t.field_index >= 0 && t.field_index < reader.field_count)
        out << prefix << ".field = " << quoted(reader.fields[size_t(t.field_index)].name) << "\n";
    if (t.kind == kStringTable) {
        out << prefix << ".match_mode = " << (t.match_mode == kMatchPrefix ? "prefix" : "whole") << "\n";
        out << prefix << ".case_sensitive = " << (t.case_sensitive ? 1 : 0) << "\n";
        for (int i = 0; i < std::min<int>(t.entry_count, kMaxStringTranslations); ++i)
            out << prefix << ".entry = " << quoted(field_text(t.strings[i].text)) << " "
                << word(t.strings[i].result) << "\n";
    } else {
        for (int i = 0; i < std::min<int>(t.entry_count, kMaxRangeTranslations); ++i)
            out << prefix << ".range = " << number_text(t.ranges[i].min) << " "
                << number_text(t.ranges[i].max) << " " << word(t.ranges[i].result) << "\n";
    }
}

}  // namespace

Result apply_import_profile(const std::string& text, const ShapefileReader& reader,
                            ShapeImportSettings& settings) {
    // Work on a copy: a bad line must leave the caller's settings as they were.
    auto work = std::make_unique<ShapeImportSettings>(settings);
    bool substitutions_seen = false;
    ProfileParser parser(reader, *work);
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            return failure("line " + std::to_string(number) + ": expected 'setting = value'");
        const std::string key = trim(std::string_view(line).substr(0, eq));
        // The profile's substitution table replaces the current one as a whole.
        if (key == "substitution" && !substitutions_seen) {
            work->substitution_count = 0;
            substitutions_seen = true;
        }
        const Result parsed = parser.line(key, trim(std::string_view(line).substr(eq + 1)));
        if (!parsed.ok) return failure("line " + std::to_string(number) + ": " + parsed.message);
    }
    settings = *work;
    return success();
}

Result load_import_profile(const std::string& path, const ShapefileReader& reader,
                           ShapeImportSettings& settings) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes, kMaxProfileSize)) return failure("Cannot read profile " + path);
    return apply_import_profile(std::string(bytes.begin(), bytes.end()), reader, settings);
}

std::string write_import_profile(const ShapeImportSettings& s, const ShapefileReader& reader) {
    std::ostringstream out;
    // A stream groups digits as the global C++ locale says; profiles are read back in the C format.
    out.imbue(std::locale::classic());
    out << "# Plotwell shapefile import profile\n";
    out << "name_fields = " << field_names(s.name_fields, reader) << "\n";
    out << "link_fields = " << field_names(s.link_fields, reader) << "\n";
    out << "dest_layer = " << s.dest_layer << "\n";
    out << "default_type = " << type_word(s.dimension, s.default_type) << "\n";
    out << "default_icon = " << icon_word(s.default_icon) << "\n";
    out << "downcase = " << (s.downcase ? 1 : 0) << "\n";
    out << "filter_outside_range = " << (s.filter_outside_range ? 1 : 0) << "\n";
    out << "filter_untranslated = " << (s.filter_untranslated ? 1 : 0) << "\n";
    out << "multiply_x = " << s.multiply_x << "\n";
    out << "multiply_y = " << s.multiply_y << "\n";
    out << "add_x = " << number_text(s.add_x) << "\n";
    out << "add_y = " << number_text(s.add_y) << "\n";
    out << "multipart_policy = " << (s.multipart_policy == kCcwPartsGetCcwType ? 1 : 0) << "\n";
    out << "ccw_type = " << type_word(kDimPolygon, s.ccw_type) << "\n";
    out << "substitution_mode = " << (s.substitution_mode == 1 ? 1 : 0) << "\n";
    for (int i = 0; i < std::min(s.substitution_count, kMaxSubstitutions); ++i)
        out << "substitution = " << quoted(field_text(s.substitutions[i].from)) << " "
            << quoted(field_text(s.substitutions[i].to)) << "\n";
    write_translation(out, "type_translation", s.type_translation, reader, s.dimension);
    write_translation(out, "icon_translation", s.icon_translation, reader, s.dimension);
    return out.str();
}

}  // namespace plotwell
