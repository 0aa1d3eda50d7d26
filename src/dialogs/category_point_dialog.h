// "Category Point Object": a CATPNTFEATURE's name, category and sub-type from the categories file.
#pragma once

#include <string>
#include <vector>

#include "dialogs/categories_file.h"
#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

// The category and sub-type names of the categories file, in file order.
struct CategoryChoices {
    std::vector<std::string> categories;
    std::vector<std::vector<std::string>> sub_types;  // per category
};

// The names the dialog lists, read from the loaded categories file.
CategoryChoices category_choices(const CategoriesFile& file);

class CategoryPointModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Category Point Object";
    static constexpr const char* kLabels[5] = {"Name:", "Category:", "Sub Type:", "Notes:", "Rating:"};
    static constexpr int kMaxListedSubTypes = 32;

    CategoryPointModel(MapObject& point, const CategoryChoices& choices);
    std::string_view dialog_title() const override { return kTitle; }

    // The controls ("Notes:" and "Rating:" are shown disabled and hold nothing).
    std::string name;
    std::vector<std::string> categories;  // "Category:"
    int category_selection = -1;
    std::vector<std::string> sub_types;  // "Sub Type:"
    int sub_type_selection = -1;

    void load();
    void select_category(int index);  // -1: no selection
    void select_sub_type(int index);
    bool ok();

  private:
    void fill_sub_types(int category);

    MapObject& point_;
    const CategoryChoices& choices_;
    int cat_ = 0;  // the working copies OK stores
    int sub_ = 0;
};

}  // namespace plotwell
