// One monkey session: a folder of its own holding the start project, a workspace with the editor laid
// out in a window, the random host, and the events applied one by one through the window's entry
// points with the invariants checked after each.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_context.h"
#include "monkey/monkey_event.h"
#include "monkey/monkey_host.h"
#include "monkey/monkey_invariants.h"
#include "monkey/monkey_start.h"

namespace plotwell::monkey {

// The round trip and the folder listing cost a save and a load: they run every this many events.
inline constexpr int kFullCheckEvery = 50;

struct SessionOptions {
    MonkeyStart start;
    SampleBuilder sample;
    // For the tests of the monkey itself: after a Delete, one deleted object stays current, the fault
    // the monkey must find and shrink.
    bool plant_stale_current = false;
    // Also report files written in the process's working directory, and remove those the session
    // made there when it ends (the tool runs in an empty folder of its own): a name the editor takes
    // relative to it lands there, outside the session's folder.
    bool watch_working_directory = false;
};

// What a run reached, so that a clean run can be told from one that never opened a project.
struct SessionStats {
    int64_t events_with_project = 0;
    int64_t most_objects = 0;  // live objects in all layers together
};

class Session {
  public:
    // Check `ok()` before use; `error()` says why the start failed.
    explicit Session(const SessionOptions& options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Applies the event and checks the cheap invariants, and every kFullCheckEvery events (or when
    // `full` is set) the costly ones too.
    std::optional<Violation> apply(const MonkeyEvent& event, bool full = false);
    std::optional<Violation> check_full();
    const SessionStats& stats() const { return stats_; }

    // A plausible next event for the state the editor is in.
    MonkeyEvent generate(Rng& rng) const;
    // A gesture of several events (a click, a drag, a double click), or one event.
    std::vector<MonkeyEvent> generate_gesture(Rng& rng) const;

  private:
    ScreenPoint random_position(Rng& rng) const;

    SessionOptions options_;
    std::string error_;
    std::string folder_;
    std::string input_path_;  // the start file, which no event may change
    std::vector<uint8_t> input_bytes_;
    std::map<std::string, std::filesystem::file_time_type> working_directory_;  // as the session found it
    std::unique_ptr<MonkeyHost> host_;
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<EditorContext> ctx_;
    int64_t applied_ = 0;
    SessionStats stats_;
};

// Every command number the window offers: the menu, the accelerators, the toolbar and the context menus.
std::vector<int> offered_commands();

}  // namespace plotwell::monkey
