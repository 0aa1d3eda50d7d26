#include "terminal_sink.h"

#include <unistd.h>

#include <string>

namespace plotwell::tool {

namespace {
constexpr int kBarWidth = 40;
}

TerminalSink::TerminalSink() : TerminalSink(stderr, ::isatty(STDERR_FILENO) == 1) {}

void TerminalSink::log_line(std::string_view text) {
    clear_bar();
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        plain += text[i];
    }
    // Some texts (the export's build errors) come without their line break; on a terminal whatever
    // is written next would run on behind them.
    if (!plain.empty() && plain.back() != '\n') plain += '\n';
    std::fwrite(plain.data(), 1, plain.size(), out_);
    std::fflush(out_);
    draw();
}

void TerminalSink::set_progress_range(int n) {
    range_ = n < 0 ? 0 : n;
    pos_ = 0;
    drawn_percent_ = -1;
    draw();
}

void TerminalSink::set_progress_pos(int i) {
    pos_ = i;
    draw();
}

void TerminalSink::close_progress(int result) {
    result_ = result;
    clear_bar();
}

void TerminalSink::draw() {
    if (!draw_bar_ || range_ <= 0) return;
    const int clamped = pos_ < 0 ? 0 : (pos_ > range_ ? range_ : pos_);
    const int percent = int(int64_t(clamped) * 100 / range_);
    if (bar_shown_ && percent == drawn_percent_) return;
    const int filled = percent * kBarWidth / 100;
    std::fprintf(out_, "\r[%s%s] %3d%%", std::string(size_t(filled), '#').c_str(),
                 std::string(size_t(kBarWidth - filled), ' ').c_str(), percent);
    std::fflush(out_);
    bar_shown_ = true;
    drawn_percent_ = percent;
}

void TerminalSink::clear_bar() {
    if (!bar_shown_) return;
    std::fprintf(out_, "\r%*s\r", kBarWidth + 8, "");
    std::fflush(out_);
    bar_shown_ = false;
}

}  // namespace plotwell::tool
