#include "monkey/monkey_session.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "editor/command_ids.h"
#include "editor/commands.h"
#include "editor/input_dispatch.h"
#include "editor/menus.h"
#include "editor/view_state.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "project/project_file.h"

namespace plotwell::monkey {

namespace fs = std::filesystem;

namespace {

const WindowMetrics kMetrics{30, 20, 16, 16};

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

// The working directory's entries with their times of last change.
std::map<std::string, fs::file_time_type> directory_times() {
    std::map<std::string, fs::file_time_type> times;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::current_path(ec), ec))
        times[entry.path().string()] = entry.last_write_time(ec);
    return times;
}

// A live object of the layer, the n-th of them counting round.
const MapObject* nth_live(const Layer& layer, int32_t n) {
    if (layer.object_count <= 0) return nullptr;
    n %= layer.object_count;
    for (const MapObject* o = layer.objects; o; o = o->next)
        if (o->dimension != kDimDeleted && n-- == 0) return o;
    return nullptr;
}

// A position moved by a few pixels; a far-off object's position is clamped to the int32 edge already.
int32_t nudge(int32_t v, int32_t d) {
    return int32_t(std::clamp<int64_t>(int64_t(v) + d, INT32_MIN, INT32_MAX));
}

}  // namespace

std::vector<int> offered_commands() {
    std::set<int> ids;
    for (const MenuEntry& e : menu_entries()) ids.insert(e.command);
    for (const Accelerator& a : accelerator_table()) ids.insert(a.command);
    for (const ToolButton& b : toolbar_buttons())
        if (b.kind != ToolButtonKind::Separator) ids.insert(b.command);
    for (int m = 0; m < kContextMenuCount; ++m)
        for (const ContextMenuEntry& e : context_menu_entries(m)) ids.insert(e.command);
    return {ids.begin(), ids.end()};
}

Session::Session(const SessionOptions& options) : options_(options) {
    std::string pattern = (fs::temp_directory_path() / "plotwell-monkey-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error_ = "cannot make a folder for the run";
        return;
    }
    folder_ = pattern;
    if (options.start.kind == StartKind::File) {
        input_path_ = options.start.path;
        input_bytes_ = read_file(input_path_);
    }
    {
        Project start;
        if (!build_start_project(options.start, options.sample, start, error_)) return;
        NullProgressSink sink;
        if (!save_project(start, folder_ + "/start", sink)) {
            error_ = "cannot write the start project";
            return;
        }
    }
    // A damaged copy for the open dialogs: loads that fail must leave no stale state behind.
    std::vector<uint8_t> bytes = read_file(folder_ + "/start.mpr");
    bytes.resize(bytes.size() / 2);
    write_file(folder_ + "/broken.mpr", bytes);

    if (options.watch_working_directory) working_directory_ = directory_times();
    host_ = std::make_unique<MonkeyHost>(folder_);
    for (const char* name : {"start.mpr", "broken.mpr", "map-id.txt", "publisher.txt"})
        host_->allow_write(folder_ + "/" + name);
    workspace_ = std::make_unique<Workspace>();
    workspace_->program_dir = folder_ + "/";
    workspace_->start_dir = folder_;
    ctx_ = std::make_unique<EditorContext>(*workspace_, *host_);
    on_resize(*ctx_, 800, 600, kMetrics);
    set_field(workspace_->project.file_base_name, folder_ + "/start");
    handle_command(*ctx_, cmd::kLoadNamedProject);
}

Session::~Session() {
    ctx_.reset();
    workspace_.reset();
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
    // What the run made in the working directory goes too: a replay must find it as this run did.
    if (options_.watch_working_directory)
        for (const auto& [path, time] : directory_times())
            if (!working_directory_.count(path)) fs::remove_all(path, ec);
}

std::optional<Violation> Session::apply(const MonkeyEvent& e, bool full) {
    EditorContext& ctx = *ctx_;
    host_->reseed(e.host_seed);
    const std::vector<MapObject*> before = ctx.editor.current_objects;
    const ScreenPoint p{e.x, e.y};
    switch (e.kind) {
        case EventKind::Move:
            on_mouse_move(ctx, p);
            break;
        case EventKind::LeftDown:
            on_left_down(ctx, p, e.ctrl);
            break;
        case EventKind::LeftUp:
            on_left_up(ctx, p, e.ctrl);
            break;
        case EventKind::DoubleClick:
            on_left_double_click(ctx, p);
            break;
        case EventKind::RightDown:
            on_right_down(ctx, p);
            break;
        case EventKind::RightUp:
            on_right_up(ctx, p);
            break;
        case EventKind::Key:
            on_key(ctx, KeyPress{Key(std::clamp(e.a, 0, int(Key::Other))), char(e.b), e.ctrl});
            break;
        case EventKind::Char:
            on_char(ctx, char(e.a));
            break;
        case EventKind::Command:
            handle_command(ctx, e.a);
            break;
        case EventKind::Scroll:
            on_scroll(ctx, e.a == 0 ? ScrollBar::Horizontal : ScrollBar::Vertical,
                      ScrollAction(std::clamp(e.b, 0, int(ScrollAction::ThumbRelease))), e.x);
            break;
        case EventKind::Timer:
            on_timer(ctx);
            break;
        case EventKind::Paint: {
            NullCanvas canvas;
            on_paint(ctx, canvas);
            break;
        }
        case EventKind::Resize:
            on_resize(ctx, std::max(e.a, 0), std::max(e.b, 0), kMetrics);
            break;
        case EventKind::CloseBox:
            close_request(ctx);
            break;
    }
    const bool deleted = (e.kind == EventKind::Command && e.a == cmd::kDelete) ||
                         (e.kind == EventKind::Key && Key(e.a) == Key::Delete && !e.ctrl);
    if (options_.plant_stale_current && deleted && !before.empty() && ctx.editor.current_objects.empty())
        ctx.editor.current_objects.push_back(before.front());
    ++applied_;
    if (has_project(ctx.project)) {
        ++stats_.events_with_project;
        int64_t objects = 0;
        for (int i = 0; i < std::clamp(ctx.project.layer_count, 0, kMaxLayers); ++i)
            objects += ctx.project.layers[i].object_count;
        stats_.most_objects = std::max(stats_.most_objects, objects);
    }
    if (auto v = check_state(ctx.project, ctx.editor)) return v;
    if (full || applied_ % kFullCheckEvery == 0) return check_full();
    return std::nullopt;
}

std::optional<Violation> Session::check_full() {
    if (auto v = check_round_trip(ctx_->project)) return v;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        const std::string path = entry.path().string();
        if (!host_->asked_to_save().count(path)) return Violation{"unasked-write", path + " was written"};
    }
    if (options_.watch_working_directory)
        for (const auto& [path, time] : directory_times())
            if (auto found = working_directory_.find(path);
                found == working_directory_.end() || found->second != time)
                return Violation{"unasked-write", path + " was written in the working directory"};
    if (!input_path_.empty() && read_file(input_path_) != input_bytes_)
        return Violation{"input-changed", input_path_ + " changed"};
    return std::nullopt;
}

ScreenPoint Session::random_position(Rng& rng) const {
    const EditorState& ed = ctx_->editor;
    const int32_t w = ed.layout.client_width, h = ed.layout.client_height;
    const Layer* layer = current_layer_ptr(ctx_->project, ed);
    const int choice = rng.below(10);
    if (choice < 5 && layer) {
        // On an object: a vertex, the middle of a segment or a point's position, give or take a pixel.
        if (const MapObject* o = nth_live(*layer, rng.below(1 << 20))) {
            Point at;
            if (has_points(o) && object_point_count(o) > 0) {
                const int32_t n = object_point_count(o);
                const int32_t i = rng.below(n);
                at = object_points(o)[i];
                if (rng.chance(30) && i + 1 < n) {
                    const Point b = object_points(o)[i + 1];
                    at = Point{int32_t((int64_t(at.x) + b.x) / 2), int32_t((int64_t(at.y) + b.y) / 2)};
                }
            } else if (!has_points(o)) {
                at = object_position(o);
            }
            const ScreenPoint s = world_to_screen(ctx_->view, ctx_->project, at);
            return {nudge(s.x, rng.between(-2, 2)), nudge(s.y, rng.between(-2, 2))};
        }
    }
    if (choice == 5 && selection_exists(ed.selection_rect)) {
        const SelectionRect& r = ed.selection_rect;
        const Point corner{rng.chance(50) ? r.x1 : r.x2, rng.chance(50) ? r.y1 : r.y2};
        return world_to_screen(ctx_->view, ctx_->project, corner);
    }
    return {rng.between(-10, nudge(w, 10)), rng.between(-10, nudge(h, 10))};
}

MonkeyEvent Session::generate(Rng& rng) const {
    // The commands that replace, close or write the whole project come seldom, so that most events
    // edit an open project.
    static const std::set<int> project_wide = {
        cmd::kNew,    cmd::kOpen, cmd::kClose,           cmd::kSave,
        cmd::kExport, cmd::kExit, cmd::kImportShapefile, cmd::kImportProject};
    static const std::vector<int> all = offered_commands();
    static const std::vector<int> editing = [] {
        std::vector<int> ids;
        for (int id : all)
            if (!project_wide.count(id)) ids.push_back(id);
        return ids;
    }();
    static const char kLetters[] = "CVXLNOPSTZYAQ";
    MonkeyEvent e;
    e.host_seed = rng.next();
    const int roll = rng.below(1000);
    const ScreenPoint p = random_position(rng);
    e.x = p.x;
    e.y = p.y;
    if (roll < 150) {
        e.kind = EventKind::Move;
    } else if (roll < 300) {
        e.kind = EventKind::Key;
        e.a = rng.below(int(Key::Other) + 1);
        e.b = kLetters[rng.below(sizeof kLetters - 1)];
        e.ctrl = rng.chance(50);
    } else if (roll < 360) {
        e.kind = EventKind::Char;
        e.a = "\r+-"[rng.below(3)];
    } else if (roll < 650) {
        e.kind = EventKind::Command;
        const std::vector<int>& pool = rng.chance(5) ? all : editing;
        e.a = pool[size_t(rng.below(int64_t(pool.size())))];
    } else if (roll < 700) {
        e.kind = EventKind::Scroll;
        e.a = rng.below(2);
        e.b = rng.below(5);
        e.x = rng.between(-100, 1100);
    } else if (roll < 730) {
        e.kind = EventKind::Timer;
    } else if (roll < 750) {
        e.kind = EventKind::Paint;
    } else if (roll < 755) {
        e.kind = EventKind::Resize;
        e.a = rng.chance(10) ? rng.between(0, 60) : rng.between(200, 1600);
        e.b = rng.chance(10) ? rng.between(0, 80) : rng.between(150, 1200);
    } else if (roll < 758) {
        e.kind = EventKind::CloseBox;
    } else {
        const EventKind mouse[] = {EventKind::LeftDown, EventKind::LeftUp, EventKind::DoubleClick,
                                   EventKind::RightDown, EventKind::RightUp};
        e.kind = mouse[rng.below(5)];
        e.ctrl = rng.chance(20);
    }
    return e;
}

std::vector<MonkeyEvent> Session::generate_gesture(Rng& rng) const {
    if (rng.chance(50)) return {generate(rng)};
    const ScreenPoint p = random_position(rng);
    const auto at = [&](EventKind kind, ScreenPoint q, bool ctrl = false) {
        MonkeyEvent e;
        e.kind = kind;
        e.x = q.x;
        e.y = q.y;
        e.ctrl = ctrl;
        e.host_seed = rng.next();
        return e;
    };
    switch (rng.below(4)) {
        case 0: {  // a click, Ctrl held now and then
            const bool ctrl = rng.chance(20);
            return {at(EventKind::Move, p), at(EventKind::LeftDown, p, ctrl), at(EventKind::LeftUp, p, ctrl)};
        }
        case 1: {  // a drag to another position, in a few steps
            std::vector<MonkeyEvent> events{at(EventKind::Move, p), at(EventKind::LeftDown, p)};
            ScreenPoint q = p;
            for (int steps = rng.between(1, 5); steps > 0; --steps) {
                q = rng.chance(50)
                        ? random_position(rng)
                        : ScreenPoint{nudge(q.x, rng.between(-40, 40)), nudge(q.y, rng.between(-40, 40))};
                events.push_back(at(EventKind::Move, q));
            }
            events.push_back(at(EventKind::LeftUp, q));
            return events;
        }
        case 2:  // a double click as the window gets it
            return {at(EventKind::Move, p), at(EventKind::LeftDown, p), at(EventKind::LeftUp, p),
                    at(EventKind::DoubleClick, p), at(EventKind::LeftUp, p)};
        default:  // the context menu
            return {at(EventKind::Move, p), at(EventKind::RightDown, p), at(EventKind::RightUp, p)};
    }
}

}  // namespace plotwell::monkey
