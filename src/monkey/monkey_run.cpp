#include "monkey/monkey_run.h"

#include <algorithm>
#include <sstream>

namespace plotwell::monkey {

RunReport run_monkey(const SessionOptions& options, uint64_t seed, int64_t events,
                     const std::function<void(int64_t, const MonkeyEvent&)>& on_event) {
    RunReport report;
    Session session(options);
    if (!session.ok()) {
        report.error = session.error();
        return report;
    }
    Rng rng(seed);
    std::vector<MonkeyEvent> pending;
    while (report.events_run < events) {
        if (pending.empty()) {
            pending = session.generate_gesture(rng);
            std::reverse(pending.begin(), pending.end());
        }
        const MonkeyEvent e = pending.back();
        pending.pop_back();
        if (on_event) on_event(report.events_run, e);
        report.events.push_back(e);
        const bool last = report.events_run + 1 == events;
        auto v = session.apply(e, last);
        ++report.events_run;
        report.stats = session.stats();
        if (v) {
            report.failure = Failure{report.events_run - 1, *v};
            return report;
        }
    }
    return report;
}

std::optional<Failure> replay(const SessionOptions& options, const std::vector<MonkeyEvent>& events,
                              std::string* error) {
    Session session(options);
    if (!session.ok()) {
        if (error) *error = session.error();
        return std::nullopt;
    }
    for (size_t i = 0; i < events.size(); ++i)
        if (auto v = session.apply(events[i], i + 1 == events.size())) return Failure{int64_t(i), *v};
    return std::nullopt;
}

std::vector<MonkeyEvent> shrink_events(std::vector<MonkeyEvent> events, const FailsAt& fails,
                                       int max_replays) {
    int replays = 0;
    size_t chunk = std::max<size_t>(events.size() / 2, 1);
    // Single events are tried again until a whole pass removes none: one removal can free another.
    for (bool removed = true; replays < max_replays && (chunk > 1 || removed);) {
        removed = false;
        for (size_t start = 0; start < events.size() && replays < max_replays;) {
            std::vector<MonkeyEvent> candidate(events.begin(), events.begin() + std::ptrdiff_t(start));
            candidate.insert(candidate.end(),
                             events.begin() + std::ptrdiff_t(std::min(start + chunk, events.size())),
                             events.end());
            ++replays;
            const std::optional<int64_t> at = candidate.empty() ? std::nullopt : fails(candidate);
            if (at) {
                // What follows the failure is not needed.
                candidate.resize(size_t(std::clamp<int64_t>(*at + 1, 1, int64_t(candidate.size()))));
                events = std::move(candidate);
                removed = true;
            } else {
                start += chunk;
            }
        }
        if (chunk > 1) {
            chunk /= 2;
            removed = true;
        }
    }
    return events;
}

std::vector<MonkeyEvent> shrink(const SessionOptions& options, std::vector<MonkeyEvent> events,
                                const std::string& kind, int max_replays) {
    return shrink_events(
        std::move(events),
        [&](const std::vector<MonkeyEvent>& candidate) -> std::optional<int64_t> {
            const auto f = replay(options, candidate);
            if (f && f->violation.kind == kind) return f->event_index;
            return std::nullopt;
        },
        max_replays);
}

std::string case_text(const MonkeyStart& start, const std::vector<MonkeyEvent>& events,
                      const std::string& comment) {
    std::string text;
    std::istringstream lines(comment);
    for (std::string line; std::getline(lines, line);) text += "# " + line + "\n";
    text += start_line(start) + "\n";
    for (const MonkeyEvent& e : events) text += event_line(e) + "\n";
    return text;
}

std::optional<MonkeyCase> parse_case(const std::string& text, const std::string& base_dir,
                                     std::string& error) {
    std::istringstream lines(text);
    MonkeyCase c;
    bool started = false;
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        if (!started) {
            auto start = parse_start_line(line);
            if (!start) {
                error = "line " + std::to_string(number) + ": expected the start line";
                return std::nullopt;
            }
            if (start->kind == StartKind::File && !start->path.empty() && start->path[0] != '/')
                start->path = base_dir + "/" + start->path;
            c.start = *start;
            started = true;
            continue;
        }
        auto e = parse_event_line(line);
        if (!e) {
            error = "line " + std::to_string(number) + ": not an event";
            return std::nullopt;
        }
        c.events.push_back(*e);
    }
    if (!started) {
        error = "no start line";
        return std::nullopt;
    }
    return c;
}

}  // namespace plotwell::monkey
