// A progress sink that keeps everything a task reported, for tests to read back.
#pragma once

#include <string>
#include <vector>

#include "platform/progress_sink.h"

namespace plotwell::test {

class RecordingSink : public ProgressSink {
public:
    void log_line(std::string_view text) override { log += text; }
    void set_progress_range(int n) override { ranges.push_back(n); }
    void set_progress_pos(int i) override { positions.push_back(i); }
    void show_ok_button() override { ok_shown = true; }
    void close_progress(int r) override {
        closed = true;
        result = r;
    }

    std::string log;
    std::vector<int> ranges;
    std::vector<int> positions;
    bool ok_shown = false;
    bool closed = false;
    int result = -1;
};

}  // namespace plotwell::test
