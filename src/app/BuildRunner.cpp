#include "app/BuildRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <string>

namespace nbx::app {

void RunOnGuiThread(const std::function<void()>& fn) {
    QCoreApplication* app = QCoreApplication::instance();
    if (QThread::currentThread() == app->thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(app, fn, Qt::BlockingQueuedConnection);
}

void GuiThreadPrompter::Show(std::string_view text, MessageIcon icon) {
    const std::string copy(text);
    RunOnGuiThread([&] { target_.Show(copy, icon); });
}

Answer GuiThreadPrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
                              MessageIcon icon) {
    const std::string copy(text);
    Answer answer = defaultAnswer;
    RunOnGuiThread([&] { answer = target_.Ask(copy, buttons, defaultAnswer, icon); });
    return answer;
}

void GuiThreadPrompter::BeginBusy() {
    RunOnGuiThread([&] { target_.BeginBusy(); });
}

void GuiThreadPrompter::EndBusy() {
    RunOnGuiThread([&] { target_.EndBusy(); });
}

void GuiThreadProgress::ReportStage(std::string_view text, int percent) {
    const std::string copy(text);
    RunOnGuiThread([&] { target_.ReportStage(copy, percent); });
}

void GuiThreadProgress::EndProgress() {
    RunOnGuiThread([&] { target_.EndProgress(); });
}

void GuiThreadSeriesProgress::Open(std::string_view caption, bool smooth) {
    const std::string copy(caption);
    RunOnGuiThread([&] { target_.Open(copy, smooth); });
}

void GuiThreadSeriesProgress::SetRange(int lower, int upper, int step) {
    RunOnGuiThread([&] { target_.SetRange(lower, upper, step); });
}

void GuiThreadSeriesProgress::StepIt() {
    RunOnGuiThread([&] { target_.StepIt(); });
}

void GuiThreadSeriesProgress::SetText(std::string_view text) {
    const std::string copy(text);
    RunOnGuiThread([&] { target_.SetText(copy); });
}

void GuiThreadSeriesProgress::PumpMessages(bool escapeAllowed) {
    RunOnGuiThread([&] { target_.PumpMessages(escapeAllowed); });
}

bool GuiThreadSeriesProgress::Cancelled() const {
    bool cancelled = false;
    RunOnGuiThread([&] { cancelled = target_.Cancelled(); });
    return cancelled;
}

void GuiThreadSeriesProgress::Close() {
    RunOnGuiThread([&] { target_.Close(); });
}

bool RunOffGuiThread(const std::function<bool()>& work) {
    bool result = false;
    QThread* worker = QThread::create([&] { result = work(); });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    return result;
}

}  // namespace nbx::app
