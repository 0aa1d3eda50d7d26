#include "dialogs/simple_point_dialog.h"

#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

SimplePointModel::SimplePointModel(MapObject& point, Host& host) : point_(point), host_(host) {
    load();
}

void SimplePointModel::fill_list(Kind k) {
    list.clear();
    if (k == kLabel)
        list.assign(std::begin(kLabelClasses), std::end(kLabelClasses));
    else if (k == kPopulation)
        list.assign(std::begin(kPopulationClasses), std::end(kPopulationClasses));
}

void SimplePointModel::load() {
    const uint8_t code = icon_code(&point_);
    name = field_text(point_.name, kObjectNameSize - 1);
    if (code & kIconLabelBit) {
        kind = kLabel;
        fill_list(kLabel);
        list_selection = code == kIconLabelMajor ? 1 : 0;
        panel_visible = false;
    } else if (code & kIconPopulationBit) {
        kind = kPopulation;
        fill_list(kPopulation);
        const int k = code - kIconPopulationBit;
        list_selection = k < kPopulationClassCount ? k : -1;
        panel_visible = false;
    } else {
        kind = kIcon;
        list.clear();
        list_selection = -1;
        panel_visible = true;
    }
    panel.selection = code;
}

void SimplePointModel::choose(Kind new_kind) {
    kind = new_kind;
    if (new_kind == kIcon) {
        panel_visible = true;
        return;
    }
    panel_visible = false;
    fill_list(new_kind);
    list_selection = 0;  // a class must be chosen for OK to mean anything: the first one
}

bool SimplePointModel::click_panel(int x, int y) {
    return panel_visible && panel.click(x, y);
}

bool SimplePointModel::ok() {
    // A label switched to "&Icon" carries its label code until an icon is picked; storing that code
    // would leave the point a label.
    if (kind == kIcon && (panel.selection & (kIconLabelBit | kIconPopulationBit))) {
        show_error(host_, kNoIconMessage, MessageIcon::Warning);
        return false;
    }
    // 40 characters: the 42nd byte is the icon code itself.
    set_field(point_.name, kObjectNameSize - 1, name);
    if (kind == kIcon) {
        set_icon_code(&point_, uint8_t(panel.selection));
    } else if (kind == kLabel) {
        set_icon_code(&point_, list_selection != 0 ? kIconLabelMajor : kIconLabelMinor);
    } else {
        const int k = list_selection >= 0 && list_selection < kPopulationClassCount ? list_selection : 0;
        set_icon_code(&point_, uint8_t(kIconPopulationBit + k));
    }
    return true;
}

}  // namespace plotwell
