// A whole monkey run from a seed, the replay of an event sequence, the shrinking of a failing one and
// the case files that keep a shrunk sequence for the tests to replay.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "monkey/monkey_event.h"
#include "monkey/monkey_session.h"

namespace plotwell::monkey {

struct Failure {
    int64_t event_index = 0;  // 0-based: the event after which the invariant broke
    Violation violation;
};

struct RunReport {
    std::string error;  // the run could not start
    int64_t events_run = 0;
    std::optional<Failure> failure;
    std::vector<MonkeyEvent> events;  // up to and including the failing event
    SessionStats stats;
};

// Runs `events` random events from `seed`. `on_event`, when given, hears the index of each event
// before it runs (the tool reports it on a sanitizer's death).
RunReport run_monkey(const SessionOptions& options, uint64_t seed, int64_t events,
                     const std::function<void(int64_t, const MonkeyEvent&)>& on_event = {});

// Replays the events in a new session; the first broken invariant. The costly checks run every
// kFullCheckEvery events and after the last.
std::optional<Failure> replay(const SessionOptions& options, const std::vector<MonkeyEvent>& events,
                              std::string* error = nullptr);

// Whether a sequence still fails, and after which event (0-based); none when it runs clean.
using FailsAt = std::function<std::optional<int64_t>(const std::vector<MonkeyEvent>&)>;

// Removes events while `fails` still holds: halves, then quarters, down to single events. At most
// `max_replays` calls of `fails`.
std::vector<MonkeyEvent> shrink_events(std::vector<MonkeyEvent> events, const FailsAt& fails,
                                       int max_replays = 3000);

// Removes events while the same invariant still breaks: halves, then quarters, down to single events.
// At most `max_replays` replays.
std::vector<MonkeyEvent> shrink(const SessionOptions& options, std::vector<MonkeyEvent> events,
                                const std::string& kind, int max_replays = 3000);

struct MonkeyCase {
    MonkeyStart start;
    std::vector<MonkeyEvent> events;
};

// A case file: comment lines (#) saying what broke, the start line, then one event a line.
std::string case_text(const MonkeyStart& start, const std::vector<MonkeyEvent>& events,
                      const std::string& comment);
// A relative file start is taken against `base_dir`. None, with the reason, for a file that is no case.
std::optional<MonkeyCase> parse_case(const std::string& text, const std::string& base_dir,
                                     std::string& error);

}  // namespace plotwell::monkey
