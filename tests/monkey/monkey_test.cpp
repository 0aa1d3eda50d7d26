// The monkey in every test run: its shrunk cases replay clean, a short run of each start finds
// nothing, and a planted fault is found and shrunk to a few events.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "monkey/monkey_run.h"
#include "monkey/monkey_working_folder.h"
#include "project/project_file.h"

namespace plotwell::monkey {
namespace {

SessionOptions options_for(const MonkeyStart& start) {
    SessionOptions o;
    o.start = start;
    o.sample = [](Project& p) {
        NullProgressSink sink;
        return load_project_file(p, PLOTWELL_SOURCE_DIR "/data/sample/town", sink);
    };
    return o;
}

TEST(Monkey, ShrunkCasesReplayClean) {
    const WorkingFolder working;  // a case may have written where it should not
    ASSERT_TRUE(working.ok());
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PLOTWELL_TEST_DATA_DIR "/monkey")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        const auto c = parse_case(text.str(), PLOTWELL_SOURCE_DIR, error);
        ASSERT_TRUE(c) << entry.path() << ": " << error;
        SessionOptions o = options_for(c->start);
        o.watch_working_directory = true;
        const auto f = replay(o, c->events, &error);
        EXPECT_EQ(error, "") << entry.path();
        EXPECT_FALSE(f) << entry.path() << " event " << f->event_index << ": " << f->violation.kind << ": "
                        << f->violation.detail;
        ++cases;
    }
    EXPECT_GT(cases, 0);
}

TEST(Monkey, ShortRunOfEveryStartBreaksNothing) {
    const MonkeyStart starts[] = {{StartKind::Sample, 1, ""},
                                  {StartKind::Random, 2, ""},
                                  {StartKind::Empty, 3, ""},
                                  {StartKind::NoLayers, 4, ""}};
    for (const MonkeyStart& start : starts) {
        const RunReport r = run_monkey(options_for(start), start.seed, 1500);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.events_run, 1500);
        EXPECT_FALSE(r.failure) << start_line(start) << " event " << r.failure->event_index << ": "
                                << r.failure->violation.kind << ": " << r.failure->violation.detail;
    }
}

TEST(Monkey, FindsAndShrinksAPlantedStaleCurrentObject) {
    SessionOptions o = options_for({StartKind::Random, 5, ""});
    o.plant_stale_current = true;
    RunReport r;
    for (uint64_t seed = 1; seed <= 5 && !r.failure; ++seed) r = run_monkey(o, seed, 20000);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->violation.kind, "stale-current");
    const auto shrunk = shrink(o, r.events, "stale-current");
    std::printf("planted stale current object: found at event %lld, shrunk to %zu events\n",
                static_cast<long long>(r.failure->event_index), shrunk.size());
    EXPECT_LE(shrunk.size(), 6u);
    const auto again = replay(o, shrunk);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->violation.kind, "stale-current");
    // The case file form gives the same events back.
    std::string error;
    const auto c = parse_case(case_text(o.start, shrunk, "planted"), ".", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->events.size(), shrunk.size());
    EXPECT_EQ(replay(o, c->events)->violation.kind, "stale-current");
}

}  // namespace
}  // namespace plotwell::monkey
