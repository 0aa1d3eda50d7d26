#include "monkey/monkey_event.h"

#include <array>
#include <cstdio>

namespace plotwell::monkey {

namespace {

constexpr std::array<const char*, 14> kKindNames = {"move",  "down",  "up",     "dbl",     "rdown",
                                                    "rup",   "key",   "char",   "command", "scroll",
                                                    "timer", "paint", "resize", "closebox"};

}  // namespace

std::string event_line(const MonkeyEvent& e) {
    char line[160];
    std::snprintf(line, sizeof line, "%s %d %d %d %d %d %llu", kKindNames[size_t(e.kind)], e.x, e.y, e.a, e.b,
                  e.ctrl ? 1 : 0, static_cast<unsigned long long>(e.host_seed));
    return line;
}

std::optional<MonkeyEvent> parse_event_line(std::string_view line) {
    char name[16] = {};
    MonkeyEvent e;
    int ctrl = 0;
    unsigned long long seed = 0;
    const std::string text(line.substr(0, 200));
    if (std::sscanf(text.c_str(), "%15s %d %d %d %d %d %llu", name, &e.x, &e.y, &e.a, &e.b, &ctrl, &seed) !=
        7)
        return std::nullopt;
    for (size_t i = 0; i < kKindNames.size(); ++i) {
        if (std::string_view(name) != kKindNames[i]) continue;
        e.kind = EventKind(i);
        e.ctrl = ctrl != 0;
        e.host_seed = seed;
        return e;
    }
    return std::nullopt;
}

}  // namespace plotwell::monkey
