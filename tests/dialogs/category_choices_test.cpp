#include <gtest/gtest.h>

#include "dialogs/category_point_dialog.h"

namespace plotwell {
namespace {

TEST(CategoryChoices, ListsTheLoadedFileInOrder) {
    CategoriesFile file;
    std::string name = "categories";
    ASSERT_TRUE(load_categories(file, name, std::string(PLOTWELL_SOURCE_DIR) + "/data"));
    const CategoryChoices c = category_choices(file);
    ASSERT_EQ(c.categories.size(), size_t(category_count(file)));
    ASSERT_EQ(c.sub_types.size(), c.categories.size());
    EXPECT_EQ(c.categories[0], "Food & Drink");
    EXPECT_EQ(c.sub_types[0][0], "Restaurant");
    EXPECT_EQ(c.sub_types[2][0], "Railway Station");
    for (size_t i = 0; i < c.categories.size(); ++i)
        EXPECT_EQ(c.sub_types[i].size(), size_t(sub_type_count(file, int(i))));
}

}  // namespace
}  // namespace plotwell
