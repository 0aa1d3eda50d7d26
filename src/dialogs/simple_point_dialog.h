// "Simple Point Object": a PNTFEATURE's name and its icon code: an icon from the panel, a label class
// or a population centre class.
#pragma once

#include <string>
#include <vector>

#include "dialogs/icon_panel.h"
#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

class SimplePointModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Simple Point Object";
    static constexpr const char* kButtons[3] = {"&Icon", "&Label", "&Population center"};
    static constexpr const char* kNameLabel = "&Name:";
    static constexpr const char* kTypeLabel = "&Type";
    static constexpr const char* kLabelClasses[2] = {"Minor", "Major"};
    static constexpr const char* kPopulationClasses[5] = {"Major City", "City", "Minor City", "Town",
                                                          "Small Town"};

    static constexpr const char* kNoIconMessage = "Please choose an icon.";

    enum Kind { kIcon = 0, kLabel, kPopulation };

    SimplePointModel(MapObject& point, Host& host);
    std::string_view dialog_title() const override { return kTitle; }

    // The controls.
    std::string name;
    Kind kind = kIcon;              // the checked radio button
    bool panel_visible = true;      // the icon panel, or else the "&Type" label and its list
    std::vector<std::string> list;  // the "&Type" list
    int list_selection = -1;
    IconPanel panel;

    void load();
    void choose(Kind new_kind);      // a radio button clicked
    bool click_panel(int x, int y);  // true when the panel must be repainted
    // False, after its message, for "&Icon" while the panel still holds a label or population code.
    bool ok();

  private:
    void fill_list(Kind k);
    MapObject& point_;
    Host& host_;
};

}  // namespace plotwell
