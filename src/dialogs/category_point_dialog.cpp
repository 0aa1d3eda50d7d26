#include "dialogs/category_point_dialog.h"

#include "model/object_storage.h"
#include "model/text.h"

namespace plotwell {

CategoryChoices category_choices(const CategoriesFile& file) {
    CategoryChoices c;
    for (int i = 0; i < category_count(file); ++i) {
        c.categories.emplace_back(category_name(file, i));
        std::vector<std::string> subs;
        for (int j = 0; j < sub_type_count(file, i); ++j) subs.emplace_back(sub_type_name(file, i, j));
        c.sub_types.push_back(std::move(subs));
    }
    return c;
}

CategoryPointModel::CategoryPointModel(MapObject& point, const CategoryChoices& choices)
    : point_(point), choices_(choices) {
    load();
}

void CategoryPointModel::fill_sub_types(int category) {
    sub_types.clear();
    if (category < 0 || size_t(category) >= choices_.sub_types.size()) return;
    const auto& all = choices_.sub_types[size_t(category)];
    for (size_t i = 0; i < all.size() && i < size_t(kMaxListedSubTypes); ++i) sub_types.push_back(all[i]);
}

void CategoryPointModel::load() {
    cat_ = object_category(&point_);
    sub_ = object_sub_type(&point_);
    name = field_text(point_.name);
    categories = choices_.categories;
    category_selection = cat_ < int(categories.size()) ? cat_ : -1;
    fill_sub_types(category_selection);
    sub_type_selection = sub_ < int(sub_types.size()) ? sub_ : -1;
}

void CategoryPointModel::select_category(int index) {
    if (index < 0 || index >= int(categories.size())) {
        category_selection = -1;
        sub_types.clear();
        sub_type_selection = -1;
        return;
    }
    category_selection = cat_ = index;
    sub_ = 0;
    fill_sub_types(index);
    sub_type_selection = sub_types.empty() ? -1 : 0;
}

void CategoryPointModel::select_sub_type(int index) {
    if (index < 0 || index >= int(sub_types.size())) return;
    sub_type_selection = sub_ = index;
}

bool CategoryPointModel::ok() {
    set_field(point_.name, name);
    set_object_category(&point_, uint8_t(cat_), uint8_t(sub_));
    return true;
}

}  // namespace plotwell
