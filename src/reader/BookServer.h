#pragma once
// The served reader's answers: one HTTP request in, one response out (or a held one). The
// book's pages and pictures come out of the archive byte for byte; the generated pages come
// from BookPages; the frame around them from ReaderFramePage.
//
// Two ports, two origins. The frame lives at the frame port: "/" + token + "/" the frame,
// "/frame/..." its own files and requests. The author's pages live at the page port:
// "/book/NAME" an entry, "/system/about", "/system/contents", "/system/search?q=words",
// "/go/next?from=NAME" (and previous, home, contents, about) a redirect, "/reader.js" the
// reader's helper in every page. Both begin with the token.
//
// What keeps a stranger's book inside itself:
// - the entry checks of ServedGate (another user's connection, a wrong Host, method or
//   token get nothing);
// - the pages' origin is not the frame's: a page keeps its storage, cookies and requests to
//   the book, as on a web server, but can neither script the frame nor read its answers;
// - every page response carries a Content-Security-Policy that lets it load only from the
//   book, be framed only by the frame, and runs it sandboxed wherever it is shown (no
//   downloads, no navigating the reader's window); the frame's policy lets its page view show
//   the book's pages and nothing else;
// - the frame's own requests (the long poll, an answer, Exit) also need a second secret, the
//   frame key, sent in a header. The key is written into the frame page only, which the
//   author's page cannot read; and a cross-origin request with a custom header needs a
//   preflight (OPTIONS), which is refused. So only the reader's click in the frame answers
//   a question, and the frame takes no click on a question before it has been in view for a
//   while (see frame.js);
// - a page can ask to open a carried file only when the reader clicked for it (the browser's
//   Sec-Fetch-User), and an answer that comes sooner than a reader could give it is not taken.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HttpMessage.h"
#include "platform/LoopbackServer.h"
#include "platform/ServedGate.h"
#include "reader/BookPages.h"
#include "reader/LeaveQuestion.h"
#include "reader/ReaderBook.h"

namespace nbx::reader {

struct BookServerOptions {
    std::string token;     // the secret every address begins with
    std::string frameKey;  // the second secret of the frame's own requests
    // The browser's first address holds this one instead of the token; its first visit uses
    // it up, sending the browser on to the token's address. Empty: none.
    std::string launchToken;
    std::uint16_t framePort = 0;
    std::uint16_t pagePort = 0;
    ReaderContext context;
    platform::ServedLifetime lifetime;
};

// The header that carries the frame key.
inline constexpr std::string_view kFrameKeyHeader = "x-nbx-frame";

// The least time between a question's first delivery to the frame and a yes to it.
inline constexpr std::chrono::milliseconds kQuestionArmTime{700};

class BookServer : public platform::HttpService {
public:
    // The book must outlive this object.
    BookServer(ReaderBook& book, BookServerOptions options);

    std::optional<platform::HttpResponse> Admit(const platform::HttpRequest& head) override;
    // The response, or nothing to hold the request (the frame's long poll while nothing
    // has changed).
    std::optional<platform::HttpResponse> Handle(const platform::HttpRequest& request) override;
    bool Finished(std::size_t heldOpen) override;

    // True once the reader has left through Exit (and any "On Exit" question is answered).
    bool finished() const { return finished_; }

    // The browser's first address: "http://127.0.0.1:PORT/TOKEN/", or the launch address
    // while it is not used up.
    std::string FrameAddress() const;
    // Called once, when the launch address has been used up.
    void OnLaunched(std::function<void()> launched) { gate_.OnLaunched(std::move(launched)); }

    // What runs a confirmed program and opens a confirmed file (a path written to a
    // temporary folder); both return success. The defaults start the program and hand the
    // file to xdg-open. Tests record instead.
    void SetRunner(std::function<bool(const std::string& program)> runner);
    void SetOpener(std::function<bool(const std::string& file)> opener);

    // The questions not answered yet, oldest first.
    const std::deque<LeaveQuestion>& questions() const { return questions_; }

    // The folders of carried files written for other programs; removed when the reader ends
    // (and, should it be killed, by the next reader to start).
    const std::vector<std::string>& openedFolders() const { return openedFolders_; }

private:
    using Clock = std::chrono::steady_clock;

    platform::HttpResponse FrameSide(const platform::HttpRequest& request, std::string_view path,
                                     std::string_view query);
    platform::HttpResponse PageSide(const platform::HttpRequest& request, std::string_view path,
                                    std::string_view query);
    platform::HttpResponse FramePage(const platform::HttpRequest& request, std::string_view query);
    platform::HttpResponse Entry(const platform::HttpRequest& request, std::string_view name);
    platform::HttpResponse Generated(std::string_view name, std::string_view query);
    platform::HttpResponse Go(std::string_view where, std::string_view query);
    std::optional<platform::HttpResponse> Control(const platform::HttpRequest& request,
                                                  std::string_view name, std::string_view query);
    platform::HttpResponse Answer(std::string_view query);
    platform::HttpResponse State();
    void Ask(LeaveQuestion question);
    bool OpenEntryOutside(long entry);
    std::string Served(std::string html) const;
    void Shown(const std::string& address, const std::string& title);
    std::string PageOrigin() const;
    // Gives a page of the book the reader's helper at its end.
    void WithHelper(platform::HttpResponse& page) const;

    ReaderBook& book_;
    BookServerOptions options_;
    platform::ServedGate gate_;
    BookPages pages_;
    std::deque<LeaveQuestion> questions_;
    std::optional<Clock::time_point> questionShown_;  // when the first question went out
    int nextQuestion_ = 1;
    std::uint64_t sequence_ = 1;  // grows with every change the frame shows
    std::string shownAddress_;
    std::string shownTitle_;
    std::string failed_;  // what did not work after a yes, for the next state
    bool exiting_ = false;
    bool finished_ = false;
    std::function<bool(const std::string&)> runner_;
    std::function<bool(const std::string&)> opener_;
    std::vector<std::string> openedFolders_;
};

// The Content-Type of an entry by its name's ending; empty for a type the reader does not
// serve (a program, an archive, a document for another application).
std::string_view ContentTypeOf(std::string_view name);

// A request path's part after the token, decoded: "/book/a.htm". Nothing when the path
// climbs ("..", "." segments, also encoded), holds a backslash, a NUL, an empty segment or a
// malformed escape.
std::optional<std::string> SafeRequestPath(std::string_view rawPath);

// The prefix of the folders that carried files are written to, in the temporary folder,
// before the reader's process id.
inline constexpr std::string_view kOpenedFolderPrefix = "nbx-open-";

}  // namespace nbx::reader
