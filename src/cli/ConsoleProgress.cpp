#include "cli/ConsoleProgress.h"

#include <csignal>

#include "common/VisibleText.h"

namespace nbx::cli {

namespace {
volatile std::sig_atomic_t g_interrupted = 0;
bool g_progressLineShown = false;
void OnInterrupt(int) {
    g_interrupted = 1;
}
}  // namespace

void EndProgressLine(Console& console) {
    if (g_progressLineShown) {
        console.err << "\r\033[K" << std::flush;
        g_progressLineShown = false;
    }
}

void ConsoleBuildProgress::ReportStage(std::string_view text, int percent) {
    if (!console_.errIsTerminal) {
        return;
    }
    console_.err << "\r\033[K" << WithVisibleControls(text) << " " << percent << "%" << std::flush;
    g_progressLineShown = true;
}

void ConsoleBuildProgress::EndProgress() {
    EndProgressLine(console_);
}

void ConsoleSeriesProgress::Open(std::string_view caption, bool) {
    caption_ = caption;
    open_ = true;
    cancelled_ = false;
    g_interrupted = 0;
    std::signal(SIGINT, OnInterrupt);
    console_.err << caption_ << " (Ctrl+C cancels before the next item)\n";
}

void ConsoleSeriesProgress::SetRange(int lower, int upper, int step) {
    lower_ = lower;
    upper_ = upper;
    step_ = step;
    position_ = lower;
}

void ConsoleSeriesProgress::StepIt() {
    position_ += step_;
}

void ConsoleSeriesProgress::SetText(std::string_view text) {
    if (!open_) {
        return;
    }
    const int percent = lower_ < upper_
                            ? static_cast<int>(static_cast<long long>(position_ + step_ - lower_) *
                                               100 / (upper_ - lower_))
                            : 0;
    console_.err << caption_ << " [" << percent << "%] " << WithVisibleControls(text) << "\n";
}

void ConsoleSeriesProgress::PumpMessages(bool) {
    if (g_interrupted) {
        cancelled_ = true;
    }
}

void ConsoleSeriesProgress::Close() {
    if (open_) {
        std::signal(SIGINT, SIG_DFL);
        open_ = false;
    }
}

}  // namespace nbx::cli
