#include "editor/history.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace plotwell {

namespace {

ProjectHeader header_of(const Project& project) {
    ProjectHeader h;
    std::memcpy(h.name, project.name, sizeof h.name);
    std::memcpy(h.parent_map_basename, project.parent_map_basename, sizeof h.parent_map_basename);
    h.projection = project.projection;
    h.coord_sys = project.coord_sys;
    h.range = project.range;
    h.geo = project.geo;
    h.layer_count = project.layer_count;
    for (int i = 0; i < kMaxLayers; ++i) {
        h.layers[i] = project.layers[i];
        h.layers[i].objects = nullptr;
    }
    h.bitmaps = project.bitmaps;
    return h;
}

// Exchanges the header fields; the layers keep their object lists.
void swap_header(ProjectHeader& h, Project& project) {
    std::swap(h.name, project.name);
    std::swap(h.parent_map_basename, project.parent_map_basename);
    std::swap(h.projection, project.projection);
    std::swap(h.coord_sys, project.coord_sys);
    std::swap(h.range, project.range);
    std::swap(h.geo, project.geo);
    std::swap(h.layer_count, project.layer_count);
    for (int i = 0; i < kMaxLayers; ++i) {
        MapObject* list = project.layers[i].objects;
        std::swap(h.layers[i], project.layers[i]);
        project.layers[i].objects = list;
        h.layers[i].objects = nullptr;
    }
    std::swap(h.bitmaps, project.bitmaps);
}

bool same_bytes(const void* a, const void* b, size_t n) {
    return std::memcmp(a, b, n) == 0;
}

bool same_layer(const Layer& a, const Layer& b) {
    return a.type == b.type && a.theme == b.theme && a.scratch == b.scratch &&
           a.display_flags == b.display_flags && a.reserved == b.reserved &&
           a.object_count == b.object_count && same_bytes(a.name, b.name, sizeof a.name);
}

bool same_bitmap(const BackgroundBitmap& a, const BackgroundBitmap& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.flags == b.flags &&
           a.reserved == b.reserved && a.image == b.image &&
           same_bytes(a.file_name, b.file_name, sizeof a.file_name);
}

bool same_header(const ProjectHeader& a, const ProjectHeader& b) {
    if (!same_bytes(a.name, b.name, sizeof a.name) ||
        !same_bytes(a.parent_map_basename, b.parent_map_basename, sizeof a.parent_map_basename) ||
        a.projection != b.projection || a.coord_sys != b.coord_sys ||
        !same_bytes(&a.range, &b.range, sizeof a.range) || !same_bytes(&a.geo, &b.geo, sizeof a.geo) ||
        a.layer_count != b.layer_count || a.bitmaps.count != b.bitmaps.count ||
        a.bitmaps.table_reserved != b.bitmaps.table_reserved)
        return false;
    for (int i = 0; i < kMaxLayers; ++i)
        if (!same_layer(a.layers[i], b.layers[i])) return false;
    for (int i = 0; i < kMaxBitmaps; ++i)
        if (!same_bitmap(a.bitmaps.entries[i], b.bitmaps.entries[i])) return false;
    return true;
}

// Whether the layer table itself changed (layers added, removed, moved or renamed), as opposed to
// the objects in it.
bool same_layer_table(const ProjectHeader& a, const ProjectHeader& b) {
    if (a.layer_count != b.layer_count) return false;
    for (int i = 0; i < kMaxLayers; ++i) {
        const Layer& x = a.layers[i];
        const Layer& y = b.layers[i];
        if (x.type != y.type || x.theme != y.theme || !same_bytes(x.name, y.name, sizeof x.name))
            return false;
    }
    return true;
}

bool same_object(const MapObject* a, const MapObject* b) {
    const int64_t size = object_record_size(a);
    return size == object_record_size(b) && same_bytes(&a->dimension, &b->dimension, size_t(size - 4));
}

std::vector<const MapObject*> list_of(const MapObject* head) {
    std::vector<const MapObject*> out;
    for (; head; head = head->next) out.push_back(head);
    return out;
}

int64_t chain_bytes(const MapObject* head) {
    int64_t n = 0;
    for (; head; head = head->next) n += object_record_size(head);
    return n;
}

int32_t chain_length(const MapObject* head) {
    int32_t n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

// The link that points at the object after the first `prefix` ones.
MapObject** link_at(MapObject*& head, int32_t prefix) {
    MapObject** link = &head;
    for (int32_t i = 0; i < prefix && *link; ++i) link = &(*link)->next;
    return link;
}

// Unlinks `count` objects at `link` and returns them as a chain of their own.
MapObject* detach(MapObject** link, int32_t count) {
    if (count <= 0) return nullptr;
    MapObject* first = *link;
    MapObject* last = first;
    for (int32_t i = 1; i < count && last && last->next; ++i) last = last->next;
    if (!last) return nullptr;
    *link = last->next;
    last->next = nullptr;
    return first;
}

void insert(MapObject** link, MapObject* chain) {
    if (!chain) return;
    MapObject* last = chain;
    while (last->next) last = last->next;
    last->next = *link;
    *link = chain;
}

// Copies `count` objects from `first` on; null with nothing allocated when memory runs out.
bool copy_run(const MapObject* first, int32_t count, MapObject*& out) {
    out = nullptr;
    MapObject** tail = &out;
    for (int32_t i = 0; i < count && first; ++i, first = first->next) {
        MapObject* copy = duplicate_object(first);
        if (!copy) {
            free_object_chain(out);
            out = nullptr;
            return false;
        }
        *tail = copy;
        tail = &copy->next;
    }
    return true;
}

// Replaces `count` objects after `prefix` in the list with `chain` (taken over) and returns what came out.
MapObject* splice(MapObject*& head, int32_t prefix, int32_t count, MapObject* chain) {
    MapObject** link = link_at(head, prefix);
    MapObject* out = detach(link, count);
    insert(link, chain);
    return out;
}

void drop_history(History& history) {
    history.undo.clear();
    history.redo.clear();
    history.bytes = 0;
}

bool copy_shadow(History& history, const Project& project) {
    history.shadow = header_of(project);
    for (int i = 0; i < kMaxLayers; ++i) {
        MapObject* copy = nullptr;
        if (!copy_run(project.layers[i].objects, INT32_MAX, copy)) {
            for (ObjectChain& list : history.shadow_lists) list.reset();
            return false;
        }
        history.shadow_lists[i].reset(copy);
    }
    return true;
}

void trim(History& history) {
    while (!history.undo.empty() && (history.undo.size() > kMaxUndoSteps ||
                                     (history.bytes > kMaxUndoBytes && history.undo.size() > 1))) {
        history.bytes -= history.undo.front().bytes;
        history.undo.pop_front();
    }
}

// Exchanges the step's contents with the project's and keeps the shadow equal to the project.
bool apply_step(History& history, UndoStep& step, Project& project, ExportSettings& export_settings) {
    // The shadow is brought along first: when memory runs out, nothing has changed yet.
    std::vector<MapObject*> copies;
    for (ListSplice& s : step.splices) {
        MapObject* copy = nullptr;
        if (!copy_run(s.objects.get(), INT32_MAX, copy)) {
            for (MapObject* c : copies) free_object_chain(c);
            return false;
        }
        copies.push_back(copy);
    }
    swap_header(step.header, project);
    history.shadow = header_of(project);
    int64_t bytes = 0;
    for (size_t k = 0; k < step.splices.size(); ++k) {
        ListSplice& s = step.splices[k];
        const int32_t in_count = chain_length(s.objects.get());
        MapObject* out = splice(project.layers[s.layer].objects, s.prefix, s.count, s.objects.release());
        MapObject* shadow_head = history.shadow_lists[s.layer].release();
        free_object_chain(splice(shadow_head, s.prefix, s.count, copies[k]));
        history.shadow_lists[s.layer].reset(shadow_head);
        s.objects.reset(out);
        s.count = in_count;
        bytes += chain_bytes(out);
    }
    if (step.export_settings) std::swap(*step.export_settings, export_settings);
    step.bytes = bytes + int64_t(sizeof(UndoStep));
    return true;
}

}  // namespace

void reset_history(History& history, const Project& project) {
    drop_history(history);
    history.current_id = 0;
    // A project that was never saved is never back in its saved state.
    history.saved_id = project.modified ? UINT64_MAX : 0;
    history.next_id = 1;
    history.change_pending = false;
    history.export_before.reset();
    history.shadow_valid = copy_shadow(history, project);
}

bool commit_change(History& history, Project& project, std::string label) {
    if (!history.change_pending) return false;
    history.change_pending = false;
    std::optional<ExportSettings> export_before = std::move(history.export_before);
    history.export_before.reset();
    if (!history.shadow_valid) return false;

    UndoStep step;
    ProjectHeader now = header_of(project);
    const bool header_changed = !same_header(now, history.shadow);
    if (export_before && !same_layer_table(now, history.shadow))
        step.export_settings = std::move(export_before);

    // For each list, the run between the equal head and the equal tail is what changed.
    struct Found {
        int layer;
        int32_t prefix, old_count, new_count;
    };
    std::vector<Found> found;
    for (int i = 0; i < kMaxLayers; ++i) {
        const std::vector<const MapObject*> a = list_of(project.layers[i].objects);
        const std::vector<const MapObject*> b = list_of(history.shadow_lists[i].get());
        const size_t common = std::min(a.size(), b.size());
        size_t p = 0;
        while (p < common && same_object(a[p], b[p])) ++p;
        size_t s = 0;
        while (s < common - p && same_object(a[a.size() - 1 - s], b[b.size() - 1 - s])) ++s;
        if (p + s == a.size() && p + s == b.size()) continue;
        found.push_back({i, int32_t(p), int32_t(b.size() - p - s), int32_t(a.size() - p - s)});
    }
    if (!header_changed && found.empty() && !step.export_settings) return false;

    // New shadow runs first, so that running out of memory leaves the history as it was.
    std::vector<MapObject*> copies;
    for (const Found& f : found) {
        MapObject* copy = nullptr;
        if (!copy_run(*link_at(project.layers[f.layer].objects, f.prefix), f.new_count, copy)) {
            for (MapObject* c : copies) free_object_chain(c);
            drop_history(history);
            history.shadow_valid = copy_shadow(history, project);
            return false;
        }
        copies.push_back(copy);
    }
    step.header = std::move(history.shadow);
    history.shadow = now;
    for (size_t k = 0; k < found.size(); ++k) {
        const Found& f = found[k];
        MapObject* shadow_head = history.shadow_lists[f.layer].release();
        MapObject* old_run = splice(shadow_head, f.prefix, f.old_count, copies[k]);
        history.shadow_lists[f.layer].reset(shadow_head);
        step.bytes += chain_bytes(old_run);
        step.splices.push_back({f.layer, f.prefix, f.new_count, ObjectChain(old_run)});
    }

    step.bytes += int64_t(sizeof(UndoStep));
    step.label = std::move(label);
    step.other_id = history.current_id;
    step.id = history.next_id++;
    history.current_id = step.id;
    for (const UndoStep& r : history.redo) history.bytes -= r.bytes;
    history.redo.clear();
    history.bytes += step.bytes;
    history.undo.push_back(std::move(step));
    trim(history);
    return true;
}

namespace {

// Applies the newest step of `from` and moves it onto `to`; `undo` says which state it leaves.
bool exchange_newest(History& history, std::deque<UndoStep>& from, std::deque<UndoStep>& to, bool undo,
                     Project& project, ExportSettings& export_settings) {
    if (from.empty()) return false;
    UndoStep& step = from.back();
    history.bytes -= step.bytes;
    const bool applied = apply_step(history, step, project, export_settings);
    history.bytes += step.bytes;
    if (!applied) return false;
    history.current_id = undo ? step.other_id : step.id;
    to.push_back(std::move(step));
    from.pop_back();
    history.change_pending = false;
    project.modified = history.current_id != history.saved_id;
    trim(history);
    return true;
}

}  // namespace

bool undo_change(History& history, Project& project, ExportSettings& export_settings) {
    return exchange_newest(history, history.undo, history.redo, true, project, export_settings);
}

bool redo_change(History& history, Project& project, ExportSettings& export_settings) {
    return exchange_newest(history, history.redo, history.undo, false, project, export_settings);
}

void mark_saved(History& history) {
    history.saved_id = history.current_id;
}

std::optional<std::string> next_undo_label(const History& history) {
    if (history.undo.empty()) return std::nullopt;
    return history.undo.back().label;
}

std::optional<std::string> next_redo_label(const History& history) {
    if (history.redo.empty()) return std::nullopt;
    return history.redo.back().label;
}

}  // namespace plotwell
