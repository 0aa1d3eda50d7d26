#include "model/layer_lines.h"

#include <cstdio>

#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

namespace {
// The name as text; field_text also stops at the field's end for a name without its terminator.
std::string name_of(const Layer& layer) {
    return std::string(field_text(layer.name));
}
}  // namespace

std::string format_layer_line(const Layer& layer) {
    char line[96];
    std::snprintf(line, sizeof line, "%-24s [%s]", name_of(layer).c_str(), theme_name(layer.theme));
    return line;
}

std::string layer_list_line(int index, const Layer& layer) {
    char line[96];
    std::snprintf(line, sizeof line, "%d: %s [%s]", index, name_of(layer).c_str(), theme_name(layer.theme));
    return line;
}

}  // namespace plotwell
