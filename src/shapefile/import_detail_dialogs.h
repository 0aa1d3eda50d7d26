// The small dialogs behind the import dialog's second row of controls: naming a new profile, the
// substitution table and the value translation tables with their entry dialogs, and the sample of a
// field's values. Each edits the settings' tables in place; there is no Cancel but "Done".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "shapefile/import_settings.h"
#include "shapefile/record_source.h"

namespace plotwell {

// "New Profile": one "&Name:" edit.
struct NewProfileDialog : DialogModel {
    std::string_view dialog_title() const override { return "New Profile"; }
    std::string name;
};

// "Substitution Details" entry: "&From:", "&To:".
struct SubstitutionEntryDialog : DialogModel {
    std::string_view dialog_title() const override { return "Substitution Details"; }
    std::string from, to;
};

// "Substitution Details": the "&Sub-strings" list with "&New...", "&Edit...", "&Delete". Substitutions
// always compare with case, so "&Case sensitive" shows ticked and cannot be changed.
class SubstitutionDetailsDialog : public DialogModel {
  public:
    explicit SubstitutionDetailsDialog(ShapeImportSettings& settings) : settings_(settings) {}
    std::string_view dialog_title() const override { return "Substitution Details"; }

    std::vector<std::string> lines() const;  // "FROM -> TO"
    int selected = -1;
    void new_entry(Host& host);
    void edit_entry(Host& host);
    void delete_entry();

  private:
    bool edit(SubstitutionEntryDialog& entry, Host& host) const;
    ShapeImportSettings& settings_;
};

// "Translation Details" entry of a string table ("&String:", "&Obj Type/Icon:") or of numeric ranges
// ("&Min:", "&Max:", "&Obj Type/Icon:").
struct TranslationEntryDialog : DialogModel {
    std::string_view dialog_title() const override { return "Translation Details"; }
    bool ranges = false;
    std::string text;      // string tables
    std::string min, max;  // numeric ranges
    std::vector<std::string> result_names;
    int result = 0;
};

// "Sample Field Values": the field's distinct values with their counts, read-only.
struct SampleValuesDialog : DialogModel {
    std::string_view dialog_title() const override { return "Sample Field Values"; }
    std::string field;
    std::string text;  // one "VALUE (COUNT)" line per distinct value
};

// A number text, blanks around it allowed, as the "Add to", "&Min:" and "&Max:" edits take it.
bool read_number_text(std::string_view text, float& value);

// Every distinct text of `field` over all records, with how often it occurs, sorted by text.
std::vector<std::pair<std::string, int>> sample_field_values(RecordSource& records, int field);

// "Translation Details": "DB &Field:", "&Sample values...", "&Match mode:", "&Case sensitive", the
// "&Value Table:" list with "&New...", "&Edit...", "&Delete...". The field, mode and case reach the
// translation at once; entries are edited in place.
class TranslationDetailsDialog : public DialogModel {
  public:
    TranslationDetailsDialog(ValueTranslation& translation, const ShapefileReader& layout, int dimension,
                             RecordSource* records);
    std::string_view dialog_title() const override { return "Translation Details"; }

    std::vector<std::string> field_names;
    std::vector<std::string> result_names;  // the dimension's types, or the icons
    int field_choice() const { return t_.field_index; }
    int match_mode() const { return t_.match_mode == kMatchPrefix ? 1 : 0; }
    bool case_sensitive() const { return t_.case_sensitive != 0; }
    bool ranges() const { return t_.kind != kStringTable; }
    void set_field(int choice);
    void set_match_mode(int choice);
    void set_case_sensitive(bool on);

    std::vector<std::string> lines() const;  // "TEXT -> RESULT" or "MIN .. MAX -> RESULT"
    int selected = -1;
    void sample_values(Host& host);
    void new_entry(Host& host);
    void edit_entry(Host& host);
    void delete_entry(Host& host);

  private:
    int capacity() const;
    std::string result_name(int result) const;
    bool edit(TranslationEntryDialog& entry, Host& host, int at);
    ValueTranslation& t_;
    const ShapefileReader& layout_;
    RecordSource* records_;
};

}  // namespace plotwell
