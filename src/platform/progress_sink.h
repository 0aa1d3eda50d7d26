// The five operations a long task uses to report: a log of lines, a progress bar, the "OK" button that
// lets the user read the log, and closing with a result. The desktop program's progress dialog, the
// command-line tool's terminal and the tests each provide one.
#pragma once

#include <string_view>

namespace plotwell {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Appends text as it is; callers end their lines with "\r\n".
    virtual void log_line(std::string_view text) = 0;
    virtual void set_progress_range(int n) = 0;
    virtual void set_progress_pos(int i) = 0;
    virtual void show_ok_button() = 0;
    virtual void close_progress(int result) = 0;
};

// Swallows everything: for callers that run a task without anyone watching.
class NullProgressSink final : public ProgressSink {
public:
    void log_line(std::string_view) override {}
    void set_progress_range(int) override {}
    void set_progress_pos(int) override {}
    void show_ok_button() override {}
    void close_progress(int) override {}
};

}  // namespace plotwell
