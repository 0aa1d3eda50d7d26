// plotwell-tool monkey: random use of the editor from a seed, with the invariants checked after every
// event; a failure is shrunk to a short case file that the tests replay.
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "model/text.h"
#include "monkey/monkey_run.h"
#include "monkey/monkey_working_folder.h"
#include "monkey_child.h"
#include "sample_town.h"
#include "tool_command.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool monkey [--seed N] [--events N] [--project FILE] [--case FILE]\n"
    "       plotwell-tool monkey --replay CASE\n"
    "       plotwell-tool monkey --shrink CASE [--case FILE]\n"
    "\n"
    "Sends N random events (default 10000) from seed N (default 1) through the editor's window entry\n"
    "points and menu commands, answering every dialog at random, and checks the project and the\n"
    "editor's state after each event (a save and load back every 50 events). Without --project the\n"
    "seed chooses the start: the sample map, a random project, an empty project or one without layers.\n"
    "On a broken invariant it prints the seed and the event number, shrinks the events to the fewest\n"
    "that still break it and writes them as a case file (default monkey-SEED.txt); copy that file to\n"
    "tests/data/monkey/ to have the tests replay it. --replay runs a case file and reports what broke.\n"
    "The run goes on in a child process: when a sanitizer's report ends it, the events up to the one it\n"
    "died in are shrunk while a replay still dies. --shrink shrinks a case file further (default\n"
    "output shrunk.txt).\n";

monkey::SessionOptions options_for(const monkey::MonkeyStart& start) {
    monkey::SessionOptions options;
    options.start = start;
    options.sample = [](Project& p) {
        build_sample_town(p);
        return true;
    };
    return options;
}

// Writes the case file of a failure; the command's result.
int write_case(const std::string& path, const monkey::MonkeyStart& start,
               const std::vector<monkey::MonkeyEvent>& shrunk, const std::string& comment) {
    std::ofstream out(path, std::ios::binary);
    out << monkey::case_text(start, shrunk, comment);
    if (!out) return fail(kExitFailure, "monkey: cannot write " + path);
    std::printf("shrunk to %zu events: %s\n", shrunk.size(), path.c_str());
    return kExitFailure;
}

// The run itself, in the child: the events, the report, and an invariant's failure shrunk to a case.
int run_and_report(const monkey::SessionOptions& options, uint64_t seed, int64_t events,
                   const std::string& case_path, const EventReport& report_event) {
    const monkey::RunReport report = monkey::run_monkey(options, seed, events, report_event);
    if (!report.error.empty()) return fail(kExitFailure, "monkey: " + report.error);
    if (!report.failure) {
        std::printf("%" PRId64 " events, no invariant broke (%" PRId64
                    " with a project open, at most %" PRId64 " objects)\n",
                    report.events_run, report.stats.events_with_project, report.stats.most_objects);
        return kExitOk;
    }
    const monkey::Failure& f = *report.failure;
    std::printf("seed %" PRIu64 " event %" PRId64 ": %s: %s\nshrinking %zu events...\n", seed, f.event_index,
                f.violation.kind.c_str(), f.violation.detail.c_str(), report.events.size());
    std::fflush(stdout);
    return write_case(case_path, options.start, monkey::shrink(options, report.events, f.violation.kind),
                      "seed " + std::to_string(seed) + " event " + std::to_string(f.event_index) + ": " +
                          f.violation.kind + ": " + f.violation.detail);
}

// Applies the events in a new session, each reported before it runs.
int apply_events(const monkey::SessionOptions& options, const std::vector<monkey::MonkeyEvent>& events,
                 const EventReport& report) {
    monkey::Session session(options);
    for (size_t i = 0; i < events.size(); ++i) {
        report(int64_t(i), events[i]);
        session.apply(events[i], i + 1 == events.size());
    }
    return kExitOk;
}

// Events that made the process die (a sanitizer's report ends it), shrunk while a replay in a child
// of its own still dies.
int shrink_death(const monkey::SessionOptions& options, std::vector<monkey::MonkeyEvent> events,
                 const std::string& comment, const std::string& case_path) {
    std::printf("shrinking %zu events...\n", events.size());
    std::fflush(stdout);
    const auto dies = [&](const std::vector<monkey::MonkeyEvent>& candidate) -> std::optional<int64_t> {
        const ChildOutcome replay = run_in_child(
            [&](const EventReport& report) { return apply_events(options, candidate, report); }, false, true);
        if (replay.died) return replay.last_event;
        return std::nullopt;
    };
    return write_case(case_path, options.start, monkey::shrink_events(std::move(events), dies, 500), comment);
}

// The events up to the one the process died in.
std::vector<monkey::MonkeyEvent> events_until(std::vector<monkey::MonkeyEvent> events, int64_t last) {
    if (last >= 0 && size_t(last) < events.size()) events.resize(size_t(last) + 1);
    return events;
}

// Shrinks a case file further: one that dies in a child, or one that breaks an invariant.
int shrink_case(const std::string& path, const std::string& case_path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto c = monkey::parse_case(text.str(), ".", error);
    if (!c) return fail(kExitFailure, "monkey: " + path + ": " + error);
    const monkey::SessionOptions options = options_for(c->start);
    const ChildOutcome run = run_in_child(
        [&](const EventReport& report) { return apply_events(options, c->events, report); }, false, false);
    if (run.died)
        return shrink_death(options, events_until(c->events, run.last_event),
                            "died at event " + std::to_string(run.last_event), case_path);
    const auto f = monkey::replay(options, c->events, &error);
    if (!f) return fail(kExitFailure, "monkey: " + path + ": nothing breaks");
    return write_case(case_path, options.start, monkey::shrink(options, c->events, f->violation.kind),
                      f->violation.kind + ": " + f->violation.detail);
}

int replay_case(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(kExitFailure, "monkey: cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto c = monkey::parse_case(text.str(), ".", error);
    if (!c) return fail(kExitFailure, "monkey: " + path + ": " + error);
    const auto f = monkey::replay(options_for(c->start), c->events, &error);
    if (!error.empty()) return fail(kExitFailure, "monkey: " + error);
    if (f)
        return fail(kExitFailure, "monkey: event " + std::to_string(f->event_index) + ": " +
                                      f->violation.kind + ": " + f->violation.detail);
    std::printf("%zu events, no invariant broke\n", c->events.size());
    return kExitOk;
}

int run_monkey_command(const std::vector<std::string>& args) {
    uint64_t seed = 1;
    int64_t events = 10000;
    std::string project, case_path;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool has_value = i + 1 < args.size();
        char* end = nullptr;
        if (args[i] == "--replay" && has_value) return replay_case(args[i + 1]);
        if (args[i] == "--shrink" && has_value) {
            const std::string out =
                i + 3 < args.size() && args[i + 2] == "--case" ? args[i + 3] : "shrunk.txt";
            return shrink_case(args[i + 1], out);
        }
        if (args[i] == "--seed" && has_value) {
            seed = std::strtoull(args[++i].c_str(), &end, 10);
        } else if (args[i] == "--events" && has_value) {
            events = std::strtoll(args[++i].c_str(), &end, 10);
            if (events <= 0) return fail(kExitUsage, "monkey: --events needs a positive number");
        } else if (args[i] == "--project" && has_value) {
            project = args[++i];
        } else if (args[i] == "--case" && has_value) {
            case_path = args[++i];
        } else {
            return fail(kExitUsage, "unknown option " + args[i] + "\n" + kUsage);
        }
        if (end && *end) return fail(kExitUsage, "monkey: " + args[i] + " is no number");
    }
    if (case_path.empty()) case_path = "monkey-" + std::to_string(seed) + ".txt";
    // The run works in an empty folder of its own, where a file the editor writes under a relative
    // name is seen; the names given on the command line keep meaning what they meant.
    case_path = absolute_path(case_path);
    if (!project.empty()) project = absolute_path(project);
    const monkey::WorkingFolder working;
    if (!working.ok()) return fail(kExitFailure, "monkey: cannot make a working folder for the run");
    monkey::MonkeyStart start;
    if (!project.empty()) {
        start = {monkey::StartKind::File, 0, project};
    } else {
        const monkey::StartKind kinds[4] = {monkey::StartKind::Sample, monkey::StartKind::Random,
                                            monkey::StartKind::Empty, monkey::StartKind::NoLayers};
        start = {kinds[seed % 4], seed, ""};
    }
    monkey::SessionOptions options = options_for(start);
    options.watch_working_directory = true;
    std::printf("monkey seed %" PRIu64 ", %" PRId64 " events, %s\n", seed, events,
                monkey::start_line(start).c_str());
    const ChildOutcome run = run_in_child(
        [&](const EventReport& report) { return run_and_report(options, seed, events, case_path, report); },
        true, false);
    if (!run.died) return run.status;
    std::printf("seed %" PRIu64 " died at event %" PRId64 " (the report above says why)\n", seed,
                run.last_event);
    return shrink_death(options, events_until(run.events, run.last_event),
                        "seed " + std::to_string(seed) + " died at event " + std::to_string(run.last_event),
                        case_path);
}

const CommandRegistration reg{{"monkey",
                               "use the editor at random from a seed, checking it after every event", kUsage,
                               run_monkey_command}};

}  // namespace

}  // namespace plotwell::tool
