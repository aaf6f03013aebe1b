#pragma once
// A build runs on a worker thread so that the window keeps drawing and showing progress
// while a large book is written. Everything the build says or asks is carried back to the
// window's thread and shown there modally; the worker waits for each answer, so the build
// sees the same answers, in the same order, as a build on one thread would.

#include <functional>

#include "common/Prompter.h"
#include "compile/BuildProgress.h"

namespace nbx::app {

// Runs fn on the window's thread and waits for it; called there, runs it at once.
void RunOnGuiThread(const std::function<void()>& fn);

// Forwards every call to target on the window's thread.
class GuiThreadPrompter final : public Prompter {
public:
    explicit GuiThreadPrompter(Prompter& target) : target_(target) {}
    void Show(std::string_view text, MessageIcon icon) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    Prompter& target_;
};

class GuiThreadProgress final : public BuildProgress {
public:
    explicit GuiThreadProgress(BuildProgress& target) : target_(target) {}
    void ReportStage(std::string_view text, int percent) override;
    void EndProgress() override;
    // The target's flag is read where it is; it is made for reading from any thread.
    bool CancelRequested() const override { return target_.CancelRequested(); }

private:
    BuildProgress& target_;
};

class GuiThreadSeriesProgress final : public SeriesProgress {
public:
    explicit GuiThreadSeriesProgress(SeriesProgress& target) : target_(target) {}
    void Open(std::string_view caption, bool smooth) override;
    void SetRange(int lower, int upper, int step) override;
    void StepIt() override;
    void SetText(std::string_view text) override;
    // The window's thread handles input all the time; the pump only lets an Escape that
    // reached the window cancel, when the run allows it.
    void PumpMessages(bool escapeAllowed) override;
    bool Cancelled() const override;
    void Close() override;

private:
    SeriesProgress& target_;
};

// Runs work on a worker thread and returns its result; the window's events are handled
// meanwhile. The caller keeps the person from changing the project until it returns.
bool RunOffGuiThread(const std::function<bool()>& work);

}  // namespace nbx::app
