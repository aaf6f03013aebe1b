#pragma once
// The served reader's answers: one HTTP request in, one response out (or a held one). The
// book's pages and pictures come out of the archive byte for byte; the generated pages come
// from BookPages; the frame around them from ReaderFramePage.
//
// Addresses, all under "/" + token: "/" the frame, "/book/NAME" an entry, "/system/about",
// "/system/contents", "/system/search?q=words", "/go/next?from=NAME" (and previous, home,
// contents, about) a redirect, "/frame/..." the frame's own files and its requests.
//
// What keeps a stranger's book inside itself:
// - a request needs the token, a Host of 127.0.0.1 and our port, GET or HEAD, and a path
//   that does not climb; anything else gets a plain refusal;
// - every response carries a Content-Security-Policy that lets a page load only from the
//   book, and the frame page may not be framed by anyone;
// - the author's page runs in an iframe sandboxed without allow-same-origin, so it has an
//   origin of its own: it can neither script the frame nor read its answers;
// - the frame's own requests (the long poll, an answer, Exit) also need a second secret, the
//   frame key, sent in a header. The key is written into the frame page only, which the
//   author's page cannot read; and a cross-origin request with a custom header needs a
//   preflight (OPTIONS), which is refused. So only the reader's click in the frame answers
//   a run question.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/HttpMessage.h"
#include "reader/BookPages.h"
#include "reader/ReaderBook.h"

namespace nbx::reader {

struct BookServerOptions {
    std::string token;     // the secret every address begins with
    std::string frameKey;  // the second secret of the frame's own requests
    // The address handed to the browser holds this one instead of the token: the browser's
    // command line is readable by every local user, so it carries a secret that the first
    // visit uses up, sending the browser on to the token's address. Empty: none.
    std::string launchToken;
    std::uint16_t port = 0;
    ReaderContext context;
};

// Something the book asks to do outside the reader, waiting for the reader's answer.
struct LeaveQuestion {
    enum class Kind { RunProgram, OpenFile };
    int id = 0;
    Kind kind = Kind::RunProgram;
    std::string subject;     // the program's path, or the entry's name
    long entry = -1;         // OpenFile: the entry
    bool exitAfter = false;  // the "On Exit" program: the reader ends once it is answered
};

// The header that carries the frame key.
inline constexpr std::string_view kFrameKeyHeader = "x-nbx-frame";

class BookServer {
public:
    // The book must outlive this object.
    BookServer(ReaderBook& book, BookServerOptions options);

    // The response, or nothing to hold the request (the frame's long poll while nothing
    // has changed).
    std::optional<platform::HttpResponse> Handle(const platform::HttpRequest& request);

    // True once the reader has left through Exit (and any "On Exit" question is answered).
    bool finished() const { return finished_; }

    // Where the frame is: "http://127.0.0.1:PORT/TOKEN/", or the launch address
    // "http://127.0.0.1:PORT/LAUNCHTOKEN/" while that is not used up.
    std::string FrameAddress() const;

    // What runs a confirmed program and opens a confirmed file (a path written to a
    // temporary folder); both return success. The defaults start the program and hand the
    // file to xdg-open. Tests record instead.
    void SetRunner(std::function<bool(const std::string& program)> runner);
    void SetOpener(std::function<bool(const std::string& file)> opener);

    // The questions not answered yet, oldest first.
    const std::deque<LeaveQuestion>& questions() const { return questions_; }

private:
    platform::HttpResponse Route(const platform::HttpRequest& request, std::string_view path,
                                 std::string_view query);
    platform::HttpResponse Entry(const platform::HttpRequest& request, std::string_view name);
    platform::HttpResponse Generated(std::string_view name, std::string_view query);
    platform::HttpResponse Go(std::string_view where, std::string_view query);
    std::optional<platform::HttpResponse> Frame(const platform::HttpRequest& request,
                                                std::string_view name, std::string_view query);
    platform::HttpResponse Answer(std::string_view query);
    platform::HttpResponse State() const;
    void Ask(LeaveQuestion question);
    bool OpenEntryOutside(long entry);
    std::string Served(std::string html) const;
    void Shown(const std::string& address, const std::string& title);

    ReaderBook& book_;
    BookServerOptions options_;
    BookPages pages_;
    std::deque<LeaveQuestion> questions_;
    int nextQuestion_ = 1;
    std::uint64_t sequence_ = 1;  // grows with every change the frame shows
    std::string shownAddress_;
    std::string shownTitle_;
    bool exiting_ = false;
    bool finished_ = false;
    std::function<bool(const std::string&)> runner_;
    std::function<bool(const std::string&)> opener_;
};

// The Content-Type of an entry by its name's ending; empty for a type the reader does not
// serve (a program, an archive, a document for another application).
std::string_view ContentTypeOf(std::string_view name);

// A request path's part after the token, decoded: "/book/a.htm". Nothing when the path
// climbs ("..", "." segments, also encoded), holds a backslash, a NUL, an empty segment or a
// malformed escape.
std::optional<std::string> SafeRequestPath(std::string_view rawPath);

}  // namespace nbx::reader
