// plotwell-tool monkey: random use of the editor from a seed, with the invariants checked after every
// event; a failure is shrunk to a short case file that the tests replay.
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "model/text.h"
#include "monkey/monkey_run.h"
#include "monkey/monkey_working_folder.h"
#include "sample_town.h"
#include "tool_command.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool monkey [--seed N] [--events N] [--project FILE] [--case FILE]\n"
    "       plotwell-tool monkey --replay CASE\n"
    "\n"
    "Sends N random events (default 10000) from seed N (default 1) through the editor's window entry\n"
    "points and menu commands, answering every dialog at random, and checks the project and the\n"
    "editor's state after each event (a save and load back every 50 events). Without --project the\n"
    "seed chooses the start: the sample map, a random project, an empty project or one without layers.\n"
    "On a broken invariant it prints the seed and the event number, shrinks the events to the fewest\n"
    "that still break it and writes them as a case file (default monkey-SEED.txt); copy that file to\n"
    "tests/data/monkey/ to have the tests replay it. --replay runs a case file and reports what broke.\n";

uint64_t g_seed = 0;
int64_t g_event = -1;

void report_death() {
    std::fprintf(stderr, "plotwell-tool: monkey seed %" PRIu64 " died at event %" PRId64 "\n", g_seed,
                 g_event);
}

monkey::SessionOptions options_for(const monkey::MonkeyStart& start) {
    monkey::SessionOptions options;
    options.start = start;
    options.sample = [](Project& p) {
        build_sample_town(p);
        return true;
    };
    return options;
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
    g_seed = seed;
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(report_death);
#endif
    (void)report_death;
    std::printf("monkey seed %" PRIu64 ", %" PRId64 " events, %s\n", seed, events,
                monkey::start_line(start).c_str());
    std::fflush(stdout);
    const monkey::RunReport report =
        monkey::run_monkey(options, seed, events, [](int64_t i, const monkey::MonkeyEvent&) { g_event = i; });
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
    const auto shrunk = monkey::shrink(options, report.events, f.violation.kind);
    std::ofstream out(case_path, std::ios::binary);
    out << monkey::case_text(start, shrunk,
                             "seed " + std::to_string(seed) + " event " + std::to_string(f.event_index) +
                                 ": " + f.violation.kind + ": " + f.violation.detail);
    if (!out) return fail(kExitFailure, "monkey: cannot write " + case_path);
    std::printf("shrunk to %zu events: %s\n", shrunk.size(), case_path.c_str());
    return kExitFailure;
}

const CommandRegistration reg{{"monkey",
                               "use the editor at random from a seed, checking it after every event", kUsage,
                               run_monkey_command}};

}  // namespace

}  // namespace plotwell::tool
