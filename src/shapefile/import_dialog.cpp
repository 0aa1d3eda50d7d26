#include "shapefile/import_dialog.h"

#include <algorithm>
#include <cstdio>

#include "model/layer_lines.h"
#include "model/text.h"
#include "model/vocabulary.h"

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
            break;
        }
        case kPageFilter:
            filter_box = settings_.filter_outside_range != 0;
            break;
        case kPageCoordinates: {
            char text[16];
            std::snprintf(text, sizeof text, "%d", int(settings_.multiply_x));
            multiply_x = text;
            std::snprintf(text, sizeof text, "%d", int(settings_.multiply_y));
            multiply_y = text;
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
        default:
            break;
    }
}

void ImportShapefileDialog::store_page(int page) {
    switch (page) {
        case kPageName:
            name_page.store(reader_, settings_.name_fields);
            settings_.downcase = downcase ? 1 : 0;
            break;
        case kPageType:
            settings_.default_type =
                type_choice >= 0 && type_choice < int(type_names.size()) ? type_choice : 0;
            break;
        case kPageFilter:
            settings_.filter_outside_range = filter_box ? 1 : 0;
            break;
        case kPageCoordinates:
            settings_.multiply_x = parse_factor_text(multiply_x);
            settings_.multiply_y = parse_factor_text(multiply_y);
            break;
        case kPageLinking:
            link_page.store(reader_, settings_.link_fields);
            break;
        case kPagePoints:
            settings_.default_icon = icon_choice >= 0 && icon_choice < kIconCount ? icon_choice : 0;
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
            return true;
        default:
            return true;
    }
}

void ImportShapefileDialog::icon_translation_changed(int choice, Host& host) {
    ValueTranslation& t = settings_.icon_translation;
    if (t.entry_count > 0) {
        const Answer a = host.message_box(
            "This will result in the current translation details being deleted. Do you want to proceed?",
            "Confirm", MessageIcon::Question, MessageButtons::YesNo);
        if (a != Answer::Yes) {
            dormant.icon_translation_choice = t.kind;
            return;
        }
        const int16_t target = t.target, kind = t.kind;
        t = ValueTranslation{};
        t.target = target;
        t.kind = kind;
    }
    dormant.icon_translation_choice = choice;
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
