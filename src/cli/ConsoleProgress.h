#pragma once
// Build progress on the console's err: one line rewritten in place on a terminal, nothing
// otherwise. The series "window" prints each item and treats Ctrl+C as its Cancel button.

#include <string>

#include "cli/Command.h"
#include "compile/BuildProgress.h"

namespace nbx::cli {

// Clears the progress line when one is on the terminal, so that a message or a question
// that follows starts on a line of its own.
void EndProgressLine(Console& console);

class ConsoleBuildProgress final : public BuildProgress {
public:
    explicit ConsoleBuildProgress(Console& console) : console_(console) {}
    ~ConsoleBuildProgress() override { EndProgress(); }
    void ReportStage(std::string_view text, int percent) override;
    void EndProgress() override;

private:
    Console& console_;
};

class ConsoleSeriesProgress final : public SeriesProgress {
public:
    explicit ConsoleSeriesProgress(Console& console) : console_(console) {}
    ~ConsoleSeriesProgress() override { Close(); }
    void Open(std::string_view caption, bool smooth) override;
    void SetRange(int lower, int upper, int step) override;
    void StepIt() override;
    void SetText(std::string_view text) override;
    void PumpMessages(bool escapeAllowed) override;
    bool Cancelled() const override { return cancelled_; }
    void Close() override;

private:
    Console& console_;
    std::string caption_;
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 1;
    int position_ = 0;
    bool open_ = false;
    bool cancelled_ = false;
};

}  // namespace nbx::cli
