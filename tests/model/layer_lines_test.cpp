#include "model/layer_lines.h"

#include <gtest/gtest.h>

#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(LayerLines, LayersDialogPadsTheNameToTwentyFourColumns) {
    Project p;
    EXPECT_EQ(format_layer_line(add_layer(p, "Roads", kThemeRoads)), "Roads                    [ROADS]");
    EXPECT_EQ(format_layer_line(add_layer(p, std::string(30, 'n'), kThemeParks)),
              std::string(30, 'n') + " [PARKS]");
    Layer odd;
    odd.theme = 99;  // a damaged file's theme is shown, not looked up past the table
    EXPECT_EQ(layer_list_line(7, odd), "7:  [?]");
}
