// The progress of a long task on a terminal: log lines go to stderr as they come (with plain newlines,
// each text ending its line), and a progress bar is drawn on stderr only when stderr is a terminal, so
// redirected output stays clean.
#pragma once

#include <cstdio>
#include <string_view>

#include "platform/progress_sink.h"

namespace plotwell::tool {

class TerminalSink final : public ProgressSink {
  public:
    TerminalSink();  // stderr, with a bar when it is a terminal
    TerminalSink(std::FILE* out, bool draw_bar) : out_(out), draw_bar_(draw_bar) {}
    ~TerminalSink() override { clear_bar(); }

    void log_line(std::string_view text) override;
    void set_progress_range(int n) override;
    void set_progress_pos(int i) override;
    void show_ok_button() override {}
    void close_progress(int result) override;

    int result() const { return result_; }

  private:
    void draw();
    void clear_bar();

    std::FILE* out_;
    bool draw_bar_;
    bool bar_shown_ = false;
    int range_ = 0;
    int pos_ = 0;
    int drawn_percent_ = -1;
    int result_ = -1;
};

}  // namespace plotwell::tool
