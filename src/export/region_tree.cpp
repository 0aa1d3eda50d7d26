#include "export/region_tree.h"

#include <cstdio>

#include "model/bytes.h"

namespace plotwell {

inline constexpr int kMaxRegionPoints = 200;

void build_region_tree(ExportState& state, CellTable& parent, const RegionNode& node, ProgressSink& sink) {
    CellTable children = make_cell_table(5);
    for (const RegionNode& child : node.children) build_region_tree(state, children, child, sink);

    DefinitionBuilder b;
    start_definition(b, node.children.empty() ? kRegionLeafCode : kRegionParentCode,
                     node.polygon ? export_object_name(node.polygon) : std::string_view("world"));
    if (!node.polygon) {
        b.body.assign({0, 0, 0, 0, kVertexListEnd});
        b.min_x = b.min_y = b.max_x = b.max_y = 1;
    } else {
        append_vertex(b, node.first.x, node.first.y);
        int n = 1;
        for (const ScaledPoint& p : node.middle) {
            if (p.x == 0 || p.y == 0) continue;
            append_vertex(b, p.x, p.y);
            ++n;
        }
        if (n >= kMaxRegionPoints) {
            char line[128];
            std::snprintf(line, sizeof line, "Warning: Polygon has too many points (%s)\r\n",
                          b.folded_name.c_str());
            sink.log_line(line);
            state.left_out.insert(node.polygon);
            return;
        }
        b.body.push_back(kVertexListEnd);
    }
    b.even_before_tail = true;
    if (!node.children.empty()) {
        b.tail.resize(children.entries.size() * 2);
        for (size_t i = 0; i < children.entries.size(); ++i) put_be16(&b.tail[2 * i], children.entries[i]);
    }
    store_definition(state, parent, b, false);
}

}  // namespace plotwell
