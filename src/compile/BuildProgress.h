#pragma once
// How a build shows where it is: a stage text and a percentage for every build, and the
// Build Series window with its Cancel button. Windows, the console and tests implement them.

#include <string_view>

namespace nbx {

class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    // Shows the stage text and sets the bar to percent (0-100); the first call starts the
    // display and the wait cursor.
    virtual void ReportStage(std::string_view text, int percent) = 0;
    // Ends the display and the wait cursor; harmless when nothing is shown.
    virtual void EndProgress() = 0;
    // Whether the person asked to stop the build. A build asks between its stages and stops
    // without a message: its working files go and the previous e-book stays.
    virtual bool CancelRequested() const { return false; }
};

// The Build Series window.
class SeriesProgress {
public:
    virtual ~SeriesProgress() = default;
    // Shows the window with its caption; the bar is smooth when asked.
    virtual void Open(std::string_view caption, bool smooth) = 0;
    virtual void SetRange(int lower, int upper, int step) = 0;
    virtual void StepIt() = 0;
    virtual void SetText(std::string_view text) = 0;
    // Lets the window handle waiting input; Escape cancels when allowed.
    virtual void PumpMessages(bool escapeAllowed) = 0;
    virtual bool Cancelled() const = 0;
    // Closes the window; harmless when already closed.
    virtual void Close() = 0;
};

class NullBuildProgress final : public BuildProgress {
public:
    void ReportStage(std::string_view, int) override {}
    void EndProgress() override {}
};

}  // namespace nbx
