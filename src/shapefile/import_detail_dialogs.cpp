#include "shapefile/import_detail_dialogs.h"

#include <algorithm>
#include <map>

#include "model/number_text.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "shapefile/field_text.h"

namespace plotwell {

namespace {

constexpr size_t kMaxSampleLines = 1000;  // a key field has a value per record; the list stays readable

}  // namespace

bool read_number_text(std::string_view text, float& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    float v = 0;
    const NumberRead r = read_number(text, v);
    if (text.empty() || r.length != text.size() || r.out_of_range || v != v) return false;
    value = v;
    return true;
}

// --- substitutions -----------------------------------------------------------------------------

std::vector<std::string> SubstitutionDetailsDialog::lines() const {
    std::vector<std::string> out;
    for (int i = 0; i < std::clamp(settings_.substitution_count, 0, kMaxSubstitutions); ++i)
        out.push_back(std::string(field_text(settings_.substitutions[i].from)) + " -> " +
                      std::string(field_text(settings_.substitutions[i].to)));
    return out;
}

bool SubstitutionDetailsDialog::edit(SubstitutionEntryDialog& entry, Host& host) const {
    while (host.run_dialog(entry) == 1) {
        if (!entry.from.empty()) return true;
        show_error(host, "Enter the text to replace in 'From'");
    }
    return false;
}

void SubstitutionDetailsDialog::new_entry(Host& host) {
    const int n = std::clamp(settings_.substitution_count, 0, kMaxSubstitutions);
    if (n >= kMaxSubstitutions) {
        show_error(host, "Substitution table full!", MessageIcon::Warning);
        return;
    }
    SubstitutionEntryDialog entry;
    if (!edit(entry, host)) return;
    set_field(settings_.substitutions[n].from, entry.from);
    set_field(settings_.substitutions[n].to, entry.to);
    settings_.substitution_count = n + 1;
    selected = n;
}

void SubstitutionDetailsDialog::edit_entry(Host& host) {
    if (selected < 0 || selected >= int(lines().size())) return;
    NameSubstitution& s = settings_.substitutions[selected];
    SubstitutionEntryDialog entry;
    entry.from = field_text(s.from);
    entry.to = field_text(s.to);
    if (!edit(entry, host)) return;
    set_field(s.from, entry.from);
    set_field(s.to, entry.to);
}

void SubstitutionDetailsDialog::delete_entry() {
    const int n = int(lines().size());
    if (selected < 0 || selected >= n) return;
    std::copy(settings_.substitutions + selected + 1, settings_.substitutions + n,
              settings_.substitutions + selected);
    settings_.substitutions[n - 1] = NameSubstitution{};
    settings_.substitution_count = n - 1;
    selected = -1;
}

// --- sample values -----------------------------------------------------------------------------

std::vector<std::pair<std::string, int>> sample_field_values(RecordSource& records, int field) {
    const ShapefileReader& layout = records.layout();
    std::map<std::string, int> counts;
    if (field >= 0 && field < layout.field_count && size_t(field) < layout.fields.size()) {
        records.rewind();
        while (records.next_record())
            ++counts[field_text(records.attributes(), layout.fields[size_t(field)],
                                kTranslationValueCapacity)];
        records.rewind();
    }
    return {counts.begin(), counts.end()};
}

// --- value translation -------------------------------------------------------------------------

TranslationDetailsDialog::TranslationDetailsDialog(ValueTranslation& translation,
                                                   const ShapefileReader& layout, int dimension,
                                                   RecordSource* records)
    : t_(translation), layout_(layout), records_(records) {
    for (int f = 0; f < layout.field_count && size_t(f) < layout.fields.size(); ++f)
        field_names.push_back(layout.fields[size_t(f)].name);
    if (t_.target == kTranslateIcon) {
        result_names.assign(kIconNames, kIconNames + kIconCount);
    } else {
        const uint8_t dim =
            dimension == kDimPoint || dimension == kDimLine ? uint8_t(dimension) : kDimPolygon;
        for (int t = 0; t < object_type_count(dim); ++t)
            result_names.emplace_back(object_type_name(dim, uint8_t(t)));
    }
}

void TranslationDetailsDialog::set_field(int choice) {
    if (choice >= 0 && choice < int(field_names.size())) t_.field_index = int16_t(choice);
}
void TranslationDetailsDialog::set_match_mode(int choice) {
    t_.match_mode = choice == 1 ? kMatchPrefix : 0;
}
void TranslationDetailsDialog::set_case_sensitive(bool on) {
    t_.case_sensitive = on ? 1 : 0;
}

int TranslationDetailsDialog::capacity() const {
    return ranges() ? kMaxRangeTranslations : kMaxStringTranslations;
}

std::string TranslationDetailsDialog::result_name(int result) const {
    return result >= 0 && result < int(result_names.size()) ? result_names[size_t(result)]
                                                            : std::to_string(result);
}

std::vector<std::string> TranslationDetailsDialog::lines() const {
    std::vector<std::string> out;
    for (int i = 0; i < std::clamp<int>(t_.entry_count, 0, capacity()); ++i) {
        if (ranges())
            out.push_back(number_text(t_.ranges[i].min) + " .. " + number_text(t_.ranges[i].max) + " -> " +
                          result_name(t_.ranges[i].result));
        else
            out.push_back(std::string(field_text(t_.strings[i].text)) + " -> " +
                          result_name(t_.strings[i].result));
    }
    return out;
}

void TranslationDetailsDialog::sample_values(Host& host) {
    if (t_.field_index < 0 || t_.field_index >= int16_t(field_names.size())) return;
    SampleValuesDialog sample;
    sample.field = field_names[size_t(t_.field_index)];
    if (records_) {
        const auto values = sample_field_values(*records_, t_.field_index);
        for (size_t i = 0; i < values.size() && i < kMaxSampleLines; ++i)
            sample.text += values[i].first + " (" + std::to_string(values[i].second) + ")\n";
        if (values.size() > kMaxSampleLines)
            sample.text += "... " + std::to_string(values.size() - kMaxSampleLines) + " more values\n";
    }
    host.run_dialog(sample);
}

// Runs the entry dialog until it holds a valid entry and writes it at `at`; false when cancelled.
bool TranslationDetailsDialog::edit(TranslationEntryDialog& entry, Host& host, int at) {
    entry.ranges = ranges();
    entry.result_names = result_names;
    while (host.run_dialog(entry) == 1) {
        const int result = std::clamp(entry.result, 0, std::max(0, int(result_names.size()) - 1));
        if (!entry.ranges) {
            if (entry.text.empty()) {
                show_error(host, "Enter the value to translate in 'String'");
                continue;
            }
            plotwell::set_field(t_.strings[at].text, entry.text);
            t_.strings[at].result = result;
            return true;
        }
        float min = 0, max = 0;
        if (!read_number_text(entry.min, min) || !read_number_text(entry.max, max)) {
            show_error(host, "'Min' and 'Max' must be numbers");
            continue;
        }
        if (min > max) {
            show_error(host, "'Min' must not be greater than 'Max'");
            continue;
        }
        t_.ranges[at] = {min, max, result};
        return true;
    }
    return false;
}

void TranslationDetailsDialog::new_entry(Host& host) {
    const int n = int(lines().size());
    if (n >= capacity()) {
        show_error(host, "Translation table full!", MessageIcon::Warning);
        return;
    }
    TranslationEntryDialog entry;
    if (!edit(entry, host, n)) return;
    t_.entry_count = int16_t(n + 1);
    selected = n;
}

void TranslationDetailsDialog::edit_entry(Host& host) {
    if (selected < 0 || selected >= int(lines().size())) return;
    TranslationEntryDialog entry;
    if (ranges()) {
        entry.min = number_text(t_.ranges[selected].min);
        entry.max = number_text(t_.ranges[selected].max);
        entry.result = t_.ranges[selected].result;
    } else {
        entry.text = field_text(t_.strings[selected].text);
        entry.result = t_.strings[selected].result;
    }
    edit(entry, host, selected);
}

void TranslationDetailsDialog::delete_entry(Host& host) {
    const int n = int(lines().size());
    if (selected < 0 || selected >= n) return;
    if (host.message_box("Are you sure you want to delete this entry?", "Confirm", MessageIcon::Question,
                         MessageButtons::YesNo) != Answer::Yes)
        return;
    if (ranges()) {
        std::copy(t_.ranges + selected + 1, t_.ranges + n, t_.ranges + selected);
        t_.ranges[n - 1] = RangeTranslationEntry{};
    } else {
        std::copy(t_.strings + selected + 1, t_.strings + n, t_.strings + selected);
        t_.strings[n - 1] = StringTranslationEntry{};
    }
    t_.entry_count = int16_t(n - 1);
    selected = -1;
}

}  // namespace plotwell
