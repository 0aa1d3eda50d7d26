// Monkey work in a child process: a sanitizer's report ends the process it finds a fault in, so the
// run goes on in a child and the parent, still alive, can say at which event it died and shrink the
// events to a case.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "monkey/monkey_event.h"

namespace plotwell::tool {

// Called before each event with its index.
using EventReport = std::function<void(int64_t, const monkey::MonkeyEvent&)>;

struct ChildOutcome {
    bool died = false;                        // ended otherwise than by returning from the work
    int status = 0;                           // the work's result when it did not die
    int64_t last_event = -1;                  // the index of the event begun last
    std::vector<monkey::MonkeyEvent> events;  // the events begun, when asked for
};

// Runs work(report) in a child process. With `keep_events` the events reported come back in the
// outcome; with `quiet` the child's output is dropped.
ChildOutcome run_in_child(const std::function<int(const EventReport&)>& work, bool keep_events, bool quiet);

}  // namespace plotwell::tool
