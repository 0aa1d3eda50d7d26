#include "shapefile/import_dialog.h"

#include <algorithm>
#include <cstdio>

#include "model/layer_lines.h"
#include "model/number_text.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "shapefile/import_detail_dialogs.h"
#include "shapefile/import_profile.h"
#include "shapefile/profile_folder.h"

namespace plotwell {

namespace {

// The sorted list's order: letters compare without case, as a sorted list box shows them.
bool sorts_before(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = ascii_upper(a[i]), y = ascii_upper(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

// The list row of a translation kind: the engine reads any kind but 0 and 1 as numeric ranges.
int translation_choice(const ValueTranslation& t) {
    return t.kind == kNoTranslation ? 0 : t.kind == kStringTable ? 1 : 2;
}

void insert_sorted(std::vector<std::string>& list, const std::string& name) {
    list.insert(std::upper_bound(list.begin(), list.end(), name, sorts_before), name);
}

}  // namespace

int32_t parse_factor_text(std::string_view text) {
    text = text.substr(0, kFactorTextLength);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1) return 0;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return 0;
    return int32_t(value);
}

// --- two-list field choice ---------------------------------------------------------------------

void FieldChoicePage::load(const ShapefileReader& reader, const FieldSelection& selection) {
    chosen.clear();
    remaining.clear();
    selected_chosen = selected_remaining = -1;
    std::vector<bool> taken(size_t(std::max(reader.field_count, 0)), false);
    for (int i = 0; i < selection.count && i < kMaxListedFields; ++i) {
        const int f = selection.indices[i];
        if (f < 0 || f >= reader.field_count || size_t(f) >= reader.fields.size() || taken[size_t(f)])
            continue;
        taken[size_t(f)] = true;
        chosen.push_back(reader.fields[size_t(f)].name);
    }
    for (int f = 0; f < reader.field_count && size_t(f) < reader.fields.size(); ++f)
        if (!taken[size_t(f)]) insert_sorted(remaining, reader.fields[size_t(f)].name);
}

void FieldChoicePage::store(const ShapefileReader& reader, FieldSelection& selection) const {
    selection = FieldSelection{};
    for (const std::string& name : chosen) {
        if (selection.count == kMaxListedFields) break;
        const int f = find_field(reader, name);
        if (f >= 0) selection.indices[selection.count++] = f;
    }
}

void FieldChoicePage::add(Host& host) {
    const int i = selected_remaining;
    if (i < 0 || i >= int(remaining.size())) return;
    if (int(chosen.size()) >= kMaxListedFields) {
        host.message_box("Maximum fields reached", "Notice", MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    chosen.push_back(remaining[size_t(i)]);
    remaining.erase(remaining.begin() + i);
    selected_remaining = -1;
}

void FieldChoicePage::remove() {
    const int i = selected_chosen;
    if (i < 0 || i >= int(chosen.size())) return;
    insert_sorted(remaining, chosen[size_t(i)]);
    chosen.erase(chosen.begin() + i);
    selected_chosen = -1;
}

// --- the dialog --------------------------------------------------------------------------------

void ImportShapefileDialog::open(int current_layer) {
    settings_ = default_import_settings(project_, reader_, settings_.base_path, current_layer);
    accepted_ = false;
    current_tab = 0;
    layer_lines.clear();
    for (int i = 0; i < project_.layer_count && i < kMaxLayers; ++i)
        layer_lines.push_back(layer_list_line(i, project_.layers[i]));
    dest_layer = settings_.dest_layer;
    dormant = ImportDormantControls{};
    for (int page = 0; page < kImportPageCount; ++page) load_page(page);
    refresh_profiles();
}

std::string encoding_caption(const std::string& encoding) {
    return encoding.empty() ? "Windows-1252" : encoding;
}

void ImportShapefileDialog::offer_encodings(const std::string& found) {
    // Real files carry wrong code page files: a Czech file marked 852 that holds Windows-1250 text.
    encodings = {found};
    for (const char* e : {"UTF-8", "", "CP1250", "CP1251", "CP1253", "CP1254", "CP1257", "CP850", "CP852",
                          "CP866", "ISO-8859-2", "ISO-8859-15"})
        if (e != found) encodings.push_back(e);
    encoding_choice = 0;
}

std::string ImportShapefileDialog::chosen_encoding() const {
    if (encoding_choice < 0 || size_t(encoding_choice) >= encodings.size())
        return encodings.empty() ? "" : encodings[0];
    return encodings[size_t(encoding_choice)];
}

std::string ImportShapefileDialog::dimension_text() const {
    switch (settings_.dimension) {
        case kDimPoint:
            return "Point";
        case kDimLine:
            return "Line";
        default:
            return "Polygon";
    }
}

std::vector<std::string> ImportShapefileDialog::tab_labels() const {
    const char* last = settings_.dimension == kDimLine    ? "Linking"
                       : settings_.dimension == kDimPoint ? "Points"
                                                          : "Polygons";
    return {"Name", "Type", "Filter", "Coordinates", last};
}

int ImportShapefileDialog::page_of_tab(int tab) const {
    if (tab < kImportTabCount - 1) return tab;
    if (settings_.dimension == kDimLine) return kPageLinking;
    if (settings_.dimension == kDimPoint) return kPagePoints;
    return kPagePolygons;
}

void ImportShapefileDialog::select_tab(int tab) {
    if (tab >= 0 && tab < kImportTabCount) current_tab = tab;
}

void ImportShapefileDialog::load_page(int page) {
    switch (page) {
        case kPageName:
            name_page.load(reader_, settings_.name_fields);
            downcase = settings_.downcase != 0;
            dormant.substitution_choice = settings_.substitution_mode == 1 ? 1 : 0;
            break;
        case kPageType: {
            // An unsupported file is offered the polygon types; the command refuses it before.
            const uint8_t dim = settings_.dimension == kDimPoint || settings_.dimension == kDimLine
                                    ? uint8_t(settings_.dimension)
                                    : uint8_t(kDimPolygon);
            type_names.clear();
            for (int t = 0; t < object_type_count(dim); ++t)
                type_names.emplace_back(object_type_name(dim, uint8_t(t)));
            type_choice = settings_.default_type >= 0 && settings_.default_type < int(type_names.size())
                              ? settings_.default_type
                              : 0;
            dormant.type_translation_choice = translation_choice(settings_.type_translation);
            break;
        }
        case kPageFilter:
            filter_box = settings_.filter_outside_range != 0;
            dormant.filter_untranslated = settings_.filter_untranslated != 0;
            break;
        case kPageCoordinates: {
            char text[16];
            std::snprintf(text, sizeof text, "%d", int(settings_.multiply_x));
            multiply_x = text;
            std::snprintf(text, sizeof text, "%d", int(settings_.multiply_y));
            multiply_y = text;
            dormant.add_x = number_text(settings_.add_x);
            dormant.add_y = number_text(settings_.add_y);
            break;
        }
        case kPageLinking:
            link_page.load(reader_, settings_.link_fields);
            break;
        case kPagePoints:
            icon_names.assign(kIconNames, kIconNames + kIconCount);
            icon_choice = settings_.default_icon >= 0 && settings_.default_icon < kIconCount
                              ? settings_.default_icon
                              : 0;
            dormant.icon_translation_choice = settings_.icon_translation.kind;
            break;
        case kPagePolygons:
            dormant.multipart_policy = settings_.multipart_policy == kCcwPartsGetCcwType ? 1 : 0;
            dormant.ccw_type = settings_.ccw_type;
            break;
        default:
            break;
    }
}

void ImportShapefileDialog::store_page(int page) {
    switch (page) {
        case kPageName:
            name_page.store(reader_, settings_.name_fields);
            settings_.downcase = downcase ? 1 : 0;
            settings_.substitution_mode = dormant.substitution_choice == 1 ? 1 : 0;
            break;
        case kPageType:
            settings_.default_type =
                type_choice >= 0 && type_choice < int(type_names.size()) ? type_choice : 0;
            settings_.type_translation.kind = int16_t(std::clamp(dormant.type_translation_choice, 0, 2));
            break;
        case kPageFilter:
            settings_.filter_outside_range = filter_box ? 1 : 0;
            settings_.filter_untranslated = dormant.filter_untranslated ? 1 : 0;
            break;
        case kPageCoordinates:
            settings_.multiply_x = parse_factor_text(multiply_x);
            settings_.multiply_y = parse_factor_text(multiply_y);
            add_ok_ = read_number_text(dormant.add_x, settings_.add_x) &&
                      read_number_text(dormant.add_y, settings_.add_y);
            break;
        case kPageLinking:
            link_page.store(reader_, settings_.link_fields);
            break;
        case kPagePoints:
            settings_.default_icon = icon_choice >= 0 && icon_choice < kIconCount ? icon_choice : 0;
            settings_.icon_translation.kind = int16_t(std::clamp(dormant.icon_translation_choice, 0, 2));
            break;
        case kPagePolygons:
            settings_.multipart_policy =
                dormant.multipart_policy == 1 ? kCcwPartsGetCcwType : kSameTypeForEachPart;
            settings_.ccw_type = int16_t(std::clamp(dormant.ccw_type, 0, object_type_count(kDimPolygon) - 1));
            break;
        default:
            break;
    }
}

bool ImportShapefileDialog::validate_page(int page, Host& host) {
    switch (page) {
        case kPageName:
            if (settings_.name_fields.count == 0) {
                show_error(host, "You need to select at least one name field");
                return false;
            }
            return true;
        case kPageCoordinates:
            if (settings_.multiply_x == 0 || settings_.multiply_y == 0) {
                show_error(host, "'Multiply' factors must be non-zero");
                return false;
            }
            if (!add_ok_) {
                show_error(host, "'Add to' values must be numbers");
                return false;
            }
            return true;
        default:
            return true;
    }
}

void ImportShapefileDialog::translation_changed(ValueTranslation& t, int& choice, int new_choice,
                                                Host& host) {
    if (t.entry_count > 0) {
        const Answer a = host.message_box(
            "This will result in the current translation details being deleted. Do you want to proceed?",
            "Confirm", MessageIcon::Question, MessageButtons::YesNo);
        if (a != Answer::Yes) {
            choice = t.kind;
            return;
        }
        const int16_t target = t.target, kind = t.kind;
        t = ValueTranslation{};
        t.target = target;
        t.kind = kind;
    }
    choice = new_choice;
}

void ImportShapefileDialog::icon_translation_changed(int choice, Host& host) {
    translation_changed(settings_.icon_translation, dormant.icon_translation_choice, choice, host);
}

void ImportShapefileDialog::type_translation_changed(int choice, Host& host) {
    translation_changed(settings_.type_translation, dormant.type_translation_choice, choice, host);
}

// --- profiles ----------------------------------------------------------------------------------

void ImportShapefileDialog::refresh_profiles() {
    dormant.profile_names = list_profiles(profile_folder);
    if (dormant.profile_choice >= int(dormant.profile_names.size())) dormant.profile_choice = -1;
}

void ImportShapefileDialog::profile_chosen(int choice, Host& host) {
    if (choice < 0 || choice >= int(dormant.profile_names.size())) return;
    const std::string& name = dormant.profile_names[size_t(choice)];
    // A profile from a file of other fields or another dimension may not fit this one: keep the pages.
    ShapeImportSettings chosen = settings_;
    if (const Result r = load_import_profile(profile_path(profile_folder, name), reader_, chosen); !r.ok) {
        show_error(host, "Cannot use the profile " + name + ": " + r.message);
        return;
    }
    chosen.dest_layer = std::clamp(chosen.dest_layer, 0, std::max(0, int(layer_lines.size()) - 1));
    settings_ = chosen;
    dormant.profile_choice = choice;
    dest_layer = settings_.dest_layer;
    for (int page = 0; page < kImportPageCount; ++page) load_page(page);
}

void ImportShapefileDialog::new_profile(Host& host) {
    if (profile_folder.empty()) {
        show_error(host, "There is no configuration folder to keep profiles in");
        return;
    }
    NewProfileDialog named;
    while (true) {
        if (host.run_dialog(named) != 1) return;
        if (const Result r = check_profile_name(named.name); r.ok)
            break;
        else
            show_error(host, r.message);
    }
    settings_.dest_layer = dest_layer;
    for (int page = 0; page < kImportPageCount; ++page) store_page(page);
    if (const Result r = save_profile(profile_folder, named.name, write_import_profile(settings_, reader_));
        !r.ok) {
        show_error(host, r.message);
        return;
    }
    refresh_profiles();
    const auto at = std::find(dormant.profile_names.begin(), dormant.profile_names.end(), named.name);
    dormant.profile_choice = at == dormant.profile_names.end() ? -1 : int(at - dormant.profile_names.begin());
}

void ImportShapefileDialog::delete_profile(Host& host) {
    const int choice = dormant.profile_choice;
    if (choice < 0 || choice >= int(dormant.profile_names.size())) return;
    if (const Result r = delete_profile_file(profile_folder, dormant.profile_names[size_t(choice)]); !r.ok)
        show_error(host, r.message);
    dormant.profile_choice = -1;
    refresh_profiles();
}

// --- details -----------------------------------------------------------------------------------

void ImportShapefileDialog::substitution_details(Host& host) {
    SubstitutionDetailsDialog details(settings_);
    host.run_dialog(details);
}

void ImportShapefileDialog::translation_details(ValueTranslation& t, int choice, Host& host) {
    // The table kind follows the list beside the button; "None" has no table to edit.
    if (choice != kStringTable && choice != kNumericRanges) return;
    t.kind = int16_t(choice);
    TranslationDetailsDialog details(t, reader_, settings_.dimension, records);
    host.run_dialog(details);
}

void ImportShapefileDialog::type_translation_details(Host& host) {
    translation_details(settings_.type_translation, dormant.type_translation_choice, host);
}

void ImportShapefileDialog::icon_translation_details(Host& host) {
    translation_details(settings_.icon_translation, dormant.icon_translation_choice, host);
}

bool ImportShapefileDialog::ok(Host& host) {
    settings_.dest_layer = dest_layer;
    for (int page = 0; page < kImportPageCount; ++page) store_page(page);
    const int order[kImportTabCount] = {kPageName, kPageType, kPageFilter, kPageCoordinates, page_of_tab(4)};
    const int checked = settings_.dimension < 0 ? kImportTabCount - 1 : kImportTabCount;
    for (int tab = 0; tab < checked; ++tab) {
        if (!validate_page(order[tab], host)) {
            current_tab = tab;
            accepted_ = false;
            return false;
        }
    }
    if (empty_range(project_.range)) settings_.filter_outside_range = 0;
    accepted_ = true;
    return true;
}

}  // namespace plotwell
