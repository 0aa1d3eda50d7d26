// One input event of a monkey run, as the main window would deliver it, and its line in a case file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plotwell::monkey {

enum class EventKind {
    Move,
    LeftDown,
    LeftUp,
    DoubleClick,
    RightDown,
    RightUp,
    Key,
    Char,
    Command,
    Scroll,
    Timer,
    Paint,
    Resize,
    CloseBox,
};

// Positions are client pixels. `a` and `b` hold what the kind needs: the command number, the key and
// its letter, the character, the scroll bar and action (x holds the thumb position), or the size.
// The host draws every answer this event asks for from `host_seed`, so an event answers its dialogs
// the same way whatever ran before it: removing other events while shrinking keeps its answers.
struct MonkeyEvent {
    EventKind kind = EventKind::Timer;
    int32_t x = 0;
    int32_t y = 0;
    int32_t a = 0;
    int32_t b = 0;
    bool ctrl = false;
    uint64_t host_seed = 0;
};

std::string event_line(const MonkeyEvent& event);
// The event of a line event_line wrote, or none.
std::optional<MonkeyEvent> parse_event_line(std::string_view line);

}  // namespace plotwell::monkey
