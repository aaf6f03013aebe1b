#include "reader/BookServer.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/JsonWriter.h"
#include "common/ProgramLauncher.h"
#include "platform/AsciiText.h"
#include "platform/BrowserLauncher.h"
#include "platform/TempFiles.h"
#include "project/DisplayNames.h"
#include "reader/BookLinks.h"
#include "reader/ReaderAssets.h"
#include "reader/ReaderFramePage.h"
#include "reader/RunCommand.h"
#include "reader/StubIcon.h"
#include "reader/SystemPages.h"
#include "viewerfiles/TextTemplate.h"

namespace nbx::reader {

namespace {

using platform::HttpRequest;
using platform::HttpResponse;
using platform::PlainResponse;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string_view ContentTypeOf(std::string_view name) {
    struct Type {
        std::string_view suffix;
        std::string_view type;
    };
    static constexpr Type kTypes[] = {
        {".html", "text/html"},        {".htm", "text/html"},       {".css", "text/css"},
        {".js", "text/javascript"},    {".mjs", "text/javascript"}, {".txt", "text/plain"},
        {".png", "image/png"},         {".gif", "image/gif"},       {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},       {".bmp", "image/bmp"},       {".svg", "image/svg+xml"},
        {".webp", "image/webp"},       {".ico", "image/x-icon"},    {".woff", "font/woff"},
        {".woff2", "font/woff2"},      {".ttf", "font/ttf"},        {".otf", "font/otf"},
        {".json", "application/json"}, {".xml", "application/xml"}, {".mp3", "audio/mpeg"},
        {".ogg", "audio/ogg"},         {".wav", "audio/wav"},       {".mp4", "video/mp4"},
        {".webm", "video/webm"},
    };
    const std::string lower = ToLowerAscii(std::string(name));
    for (const Type& t : kTypes) {
        if (lower.ends_with(t.suffix)) {
            return t.type;
        }
    }
    return {};
}

std::optional<std::string> SafeRequestPath(std::string_view rawPath) {
    std::optional<std::string> path = platform::PercentDecode(rawPath, false);
    if (!path || path->empty() || path->front() != '/') {
        return std::nullopt;
    }
    if (path->find('\\') != std::string::npos || path->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::string_view rest = std::string_view(*path).substr(1);
    for (;;) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        if (segment == ".." || segment == "." || (segment.empty() && slash != std::string::npos)) {
            return std::nullopt;
        }
        if (slash == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(slash + 1);
    }
    return path;
}

BookServer::BookServer(ReaderBook& book, BookServerOptions options)
    : book_(book),
      options_(std::move(options)),
      gate_(options_.token, options_.launchToken, options_.lifetime),
      pages_(book) {
    gate_.AddPort(options_.framePort);
    gate_.AddPort(options_.pagePort);
    runner_ = [](const std::string& program) { return StartProgram(program).ProgramStarted(); };
    opener_ = [](const std::string& file) { return platform::OpenWithDesktop(file); };
    const std::string folder = std::filesystem::path(book.path()).parent_path().string();
    const std::string program = RunCommandProgram(book.settings().onStart, folder);
    if (!program.empty()) {
        Ask({0, LeaveQuestion::Kind::RunProgram, program, -1, false});
    }
}

std::string BookServer::FrameAddress() const {
    return gate_.FirstAddress(options_.framePort);
}

std::string BookServer::PageOrigin() const {
    return platform::ServedGate::Origin(options_.pagePort);
}

void BookServer::SetRunner(std::function<bool(const std::string&)> runner) {
    runner_ = std::move(runner);
}

void BookServer::SetOpener(std::function<bool(const std::string&)> opener) {
    opener_ = std::move(opener);
}

void BookServer::Ask(LeaveQuestion question) {
    for (const LeaveQuestion& q : questions_) {
        if (q.kind == question.kind && q.subject == question.subject) {
            return;  // asked already and not answered yet
        }
    }
    question.id = nextQuestion_++;
    questions_.push_back(std::move(question));
    ++sequence_;
}

void BookServer::Shown(const std::string& address, const std::string& title) {
    shownAddress_ = address;
    shownTitle_ = title;
    ++sequence_;
}

std::string BookServer::Served(std::string html) const {
    const std::string base = "/" + options_.token + "/";
    ReplaceAll(html, "ebook://page/", base + "book/");
    ReplaceAll(html, "ebook://system/", base + "system/");
    return html;
}

void BookServer::WithHelper(HttpResponse& page) const {
    // After the page's own end: the parser takes it into the body, and the page's document
    // mode (set by what comes first) stays as the author made it.
    page.tail = "\n<script src=\"/" + options_.token + "/reader.js\"></script>\n";
}

std::optional<HttpResponse> BookServer::Admit(const HttpRequest& head) {
    return gate_.Admit(head, {"GET", "HEAD"});
}

bool BookServer::Finished(std::size_t heldOpen) {
    return gate_.Expired(heldOpen) || finished_;
}

std::optional<HttpResponse> BookServer::Handle(const HttpRequest& request) {
    const std::string_view rest = gate_.Rest(request);
    const std::size_t mark = rest.find('?');
    const std::string_view rawPath = rest.substr(0, mark);
    const std::string_view query =
        mark == std::string_view::npos ? std::string_view() : rest.substr(mark + 1);
    if (rawPath.find('#') != std::string_view::npos) {
        return PlainResponse(400);
    }
    const std::optional<std::string> path = SafeRequestPath(rawPath);
    if (!path) {
        return PlainResponse(400);
    }
    if (request.localPort != options_.framePort) {
        return PageSide(request, *path, query);
    }
    if (path->starts_with("/frame/")) {
        return Control(request, std::string_view(*path).substr(7), query);
    }
    return FrameSide(request, *path, query);
}

HttpResponse BookServer::FrameSide(const HttpRequest& request, std::string_view path,
                                   std::string_view query) {
    if (path == "/") {
        return FramePage(request, query);
    }
    return PlainResponse(404);
}

HttpResponse BookServer::FramePage(const HttpRequest& request, std::string_view query) {
    // The frame is a page of its own, for the browser's window only: never inside a frame (of
    // the book or of anyone), never fetched by a page's script.
    const std::optional<std::string_view> dest = request.Header("sec-fetch-dest");
    if (dest && *dest != "document") {
        return PlainResponse(403);
    }
    HttpResponse frame;
    frame.contentType = "text/html; charset=utf-8";
    FrameParts parts{"/" + options_.token, options_.frameKey, PageOrigin()};
    // "?page=book/NAME" or "?page=system/search&q=words" opens the frame on that page.
    const std::string first = platform::QueryValue(query, "page").value_or("");
    if ((first.starts_with("book/") || first.starts_with("system/")) &&
        first.find('?') == std::string::npos && SafeRequestPath("/" + first)) {
        parts.firstPage = PercentEncode(first, true);
        if (const std::optional<std::string> words = platform::QueryValue(query, "q")) {
            parts.firstPage += "?q=" + PercentEncode(*words, false);
        }
    }
    frame.body = ReaderFrameHtml(book_, parts);
    frame.headers = {
        {"Content-Security-Policy",
         "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; img-src "
         "'self' data:; frame-src " +
             PageOrigin() + "; connect-src 'self'; frame-ancestors 'none'; form-action " +
             PageOrigin() + "; base-uri 'none'"},
        {"X-Frame-Options", "DENY"},
        {"Cache-Control", "no-store"},
        {"Referrer-Policy", "no-referrer"},
        {"X-Content-Type-Options", "nosniff"}};
    return frame;
}

HttpResponse BookServer::PageSide(const HttpRequest& request, std::string_view path,
                                  std::string_view query) {
    HttpResponse response;
    if (path == "/reader.js") {
        response.contentType = "text/javascript; charset=utf-8";
        response.body = PageHelperScript(book_, platform::ServedGate::Origin(options_.framePort));
        response.headers = {{"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}};
        return response;
    }
    if (path.starts_with("/book/")) {
        response = Entry(request, path.substr(6));
    } else if (path.starts_with("/system/")) {
        response = Generated(path.substr(8), query);
    } else if (path.starts_with("/go/")) {
        return Go(path.substr(4), query);
    } else {
        return PlainResponse(404);
    }
    // A page may load what the book holds and nothing else: no call home. Only the reader's
    // frame (or a page of the book) may show it, and it is sandboxed wherever it is shown,
    // also when a page opens it in a window of its own.
    response.headers.emplace_back(
        "Content-Security-Policy",
        "default-src 'self' 'unsafe-inline' 'unsafe-eval' data: blob:; form-action 'self'; "
        "base-uri 'self'; frame-ancestors " +
            platform::ServedGate::Origin(options_.framePort) + " 'self'; sandbox " + kPageSandbox);
    response.headers.emplace_back("Cache-Control", "no-store");
    response.headers.emplace_back("Referrer-Policy", "no-referrer");
    response.headers.emplace_back("X-Content-Type-Options", "nosniff");
    if (request.Header("sec-fetch-dest").value_or("") == "iframe") {
        Shown(std::string(gate_.Rest(request)), [&] {
            if (!path.starts_with("/book/")) {
                return std::string();
            }
            const long entry = book_.FindLinked(path.substr(6));
            return entry < 0 ? std::string() : PageTitleOf(book_.directory()[entry]);
        }());
    }
    return response;
}

HttpResponse BookServer::Entry(const HttpRequest& request, std::string_view name) {
    const long entry = book_.FindLinked(name);
    HttpResponse response;
    response.contentType = "text/html; charset=utf-8";
    if (entry < 0) {
        response.status = 404;
        const std::string_view last = name.substr(name.find_last_of('/') + 1);
        response.body =
            Served(PageNotFoundHtml(book_.texts(), book_.settings(), std::string(last)));
        WithHelper(response);
        return response;
    }
    const auto index = static_cast<std::size_t>(entry);
    const DirectoryEntry& e = book_.directory()[index];
    const std::string_view type = ContentTypeOf(e.name);
    if (type.empty()) {
        // A file for another program: only on the reader's word, and only when the reader
        // clicked for it (not when a page merely names it as a picture or script, nor when a
        // page just loaded asks for it on its own).
        const std::string_view dest = request.Header("sec-fetch-dest").value_or("document");
        const bool clicked = request.Header("sec-fetch-user").value_or("") == "?1";
        if ((dest == "document" || dest == "iframe") && clicked) {
            Ask({0, LeaveQuestion::Kind::OpenFile, e.name, entry, false});
        }
        response.status = 204;
        response.contentType.clear();
        return response;
    }
    const bool read = ViewOfEntry(e.name) == EntryView::Page
                          ? book_.ReadPage(index, options_.context, response.body)
                          : book_.ReadEntry(index, response.body);
    if (!read) {
        response.status = 500;
        response.body =
            FillTemplate(book_.texts().Text(LanguageKey::MsgPageDamaged), {{"page", e.name}});
        response.contentType = "text/plain; charset=utf-8";
        return response;
    }
    response.contentType = std::string(type);
    if (type == "text/html") {
        WithHelper(response);
    }
    return response;
}

HttpResponse BookServer::Generated(std::string_view name, std::string_view query) {
    std::optional<std::string> words;
    if (name == SystemPageName(SystemPage::Search)) {
        words = platform::QueryValue(query, "q");
    }
    PageOutcome outcome =
        pages_.Html(kSystemHost, "/" + std::string(name), words, options_.context);
    HttpResponse response;
    response.contentType = "text/html; charset=utf-8";
    response.body = Served(std::move(outcome.html));
    WithHelper(response);
    if (name != SystemPageName(SystemPage::About) && name != SystemPageName(SystemPage::Contents) &&
        name != SystemPageName(SystemPage::Search)) {
        response.status = 404;
    }
    return response;
}

HttpResponse BookServer::Go(std::string_view where, std::string_view query) {
    const BuildSettings& s = book_.settings();
    const PageOrder& order = book_.order();
    const std::string from = platform::QueryValue(query, "from").value_or("");
    const long current = from.empty() ? -1 : book_.FindLinked(from);
    const bool loop = s.nextPreviousLoop != 0;
    const std::string base = "/" + options_.token + "/";
    std::string location;
    auto page = [&](long entry) {
        return entry < 0 ? std::string()
                         : base + "book/" + PercentEncode(book_.directory()[entry].name, true);
    };
    if (where == "next") {
        location = page(order.Next(current, loop));
    } else if (where == "previous") {
        location = page(order.Previous(current, loop));
    } else if (where == "home") {
        location = page(order.IndexPage());
    } else if (where == "contents") {
        location = s.contentsPage == kSystemPageOwn ? page(book_.FindLinked(s.contentsFile))
                                                    : base + "system/contents";
    } else if (where == "about") {
        location = s.aboutPage == kSystemPageOwn ? page(book_.FindLinked(s.aboutFile))
                                                 : base + "system/about";
    } else {
        return PlainResponse(404);
    }
    if (location.empty()) {
        return PlainResponse(204);  // no page there: the frame stays where it is
    }
    HttpResponse response;
    response.status = 303;
    response.headers.emplace_back("Location", location);
    response.headers.emplace_back("Cache-Control", "no-store");
    return response;
}

std::optional<HttpResponse> BookServer::Control(const HttpRequest& request, std::string_view name,
                                                std::string_view query) {
    HttpResponse response;
    response.headers.emplace_back("Cache-Control", "no-store");
    response.headers.emplace_back("X-Content-Type-Options", "nosniff");
    if (name == "frame.js") {
        response.contentType = "text/javascript; charset=utf-8";
        response.body = FrameScriptAsset();
        return response;
    }
    if (name == "keys.js") {
        response.contentType = "text/javascript; charset=utf-8";
        response.body = KeyNamesAsset();
        return response;
    }
    if (name == "frame.css") {
        response.contentType = "text/css; charset=utf-8";
        response.body = FrameStyleAsset();
        return response;
    }
    if (name == "toolbar.png" && book_.toolbar()) {
        response.contentType = "image/png";
        response.body = book_.toolbar()->png;
        return response;
    }
    if (name == "icon.ico") {
        response.body = ReadStubIcon(book_.path());
        if (response.body.empty()) {
            return PlainResponse(404);
        }
        response.contentType = "image/x-icon";
        return response;
    }
    if (name == "splash") {
        // The splash image is a bitmap; the browser decodes it, as it does every picture.
        if (!book_.ReadSplash(response.body)) {
            return PlainResponse(404);
        }
        response.contentType = "image/bmp";
        return response;
    }
    // The rest changes what the reader does: the frame's own requests only.
    const std::optional<std::string_view> key = request.Header(kFrameKeyHeader);
    if (!key || !platform::SameSecret(*key, options_.frameKey) ||
        !platform::ServedGate::FromOwnPage(request,
                                           platform::ServedGate::Origin(options_.framePort))) {
        return PlainResponse(403);
    }
    if (name == "state") {
        const std::string seen = platform::QueryValue(query, "seen").value_or("0");
        if (seen == std::to_string(sequence_) && !finished_) {
            return std::nullopt;  // nothing new: held until something changes
        }
        return State();
    }
    if (name == "answer") {
        return Answer(query);
    }
    if (name == "exit") {
        if (!exiting_) {
            exiting_ = true;
            const std::string folder = std::filesystem::path(book_.path()).parent_path().string();
            const std::string program = RunCommandProgram(book_.settings().onExit, folder);
            if (program.empty()) {
                finished_ = true;
            } else {
                Ask({0, LeaveQuestion::Kind::RunProgram, program, -1, true});
            }
            ++sequence_;
        }
        return State();
    }
    return PlainResponse(404);
}

HttpResponse BookServer::State() {
    JsonWriter json;
    json.BeginObject()
        .Key("seq")
        .Int(static_cast<std::int64_t>(sequence_))
        .Key("address")
        .String(shownAddress_)
        .Key("title")
        .String(shownTitle_)
        .Key("finished")
        .Bool(finished_);
    // The Next and Previous tips name where they lead, when the book asks for that.
    if (book_.settings().tooltipShowDestinations != 0) {
        const std::string_view shown = shownAddress_;
        const long current = shown.starts_with("/book/")
                                 ? book_.FindLinked(shown.substr(6, shown.find('?') - 6))
                                 : -1;
        const bool loop = book_.settings().nextPreviousLoop != 0;
        auto tip = [&](LanguageKey key, long entry) {
            return entry < 0 ? std::string()
                             : FillTemplate(book_.texts().Text(key),
                                            {{"page", PageTitleOf(book_.directory()[entry])}});
        };
        json.Key("nextTip")
            .String(tip(LanguageKey::TipNextPage, book_.order().Next(current, loop)))
            .Key("previousTip")
            .String(tip(LanguageKey::TipPreviousPage, book_.order().Previous(current, loop)));
    }
    json.Key("question");
    if (questions_.empty()) {
        json.Null();
    } else {
        const LeaveQuestion& q = questions_.front();
        if (!questionShown_) {
            questionShown_ = Clock::now();
        }
        const QuestionWords words = WordsFor(q);
        json.BeginObject()
            .Key("id")
            .Int(q.id)
            .Key("lead")
            .String(words.lead)
            .Key("subject")
            .String(words.subject)
            .Key("advice")
            .String(words.advice)
            .Key("yes")
            .String(words.yes)
            .Key("no")
            .String(words.no)
            .EndObject();
    }
    if (!failed_.empty()) {
        json.Key("failed").String(failed_);
        failed_.clear();
    }
    json.EndObject();
    HttpResponse response;
    response.contentType = "application/json";
    response.body = json.Text();
    response.headers.emplace_back("Cache-Control", "no-store");
    return response;
}

HttpResponse BookServer::Answer(std::string_view query) {
    const std::string id = platform::QueryValue(query, "id").value_or("");
    if (questions_.empty() || id != std::to_string(questions_.front().id)) {
        return PlainResponse(409);
    }
    const bool yes = platform::QueryValue(query, "yes").value_or("") == "1";
    if (yes && (!questionShown_ || Clock::now() - *questionShown_ < kQuestionArmTime)) {
        return State();  // sooner than the reader could have read it: still asked
    }
    const LeaveQuestion q = questions_.front();
    questions_.pop_front();
    questionShown_.reset();
    ++sequence_;
    bool failed = false;
    if (yes) {
        failed = q.kind == LeaveQuestion::Kind::RunProgram ? !runner_(q.subject)
                                                           : !OpenEntryOutside(q.entry);
    }
    if (q.exitAfter) {
        finished_ = true;
    }
    if (failed) {
        // The book's own words for the failure are fine here: it asks nothing.
        const std::string subject = VisibleSubject(q.subject);
        failed_ = q.kind == LeaveQuestion::Kind::RunProgram
                      ? FillTemplate(book_.texts().Text(LanguageKey::MsgRunProgramFailed),
                                     {{"program", subject}})
                      : FillTemplate(book_.texts().Text(LanguageKey::MsgOpenLinkFailed),
                                     {{"url", subject}});
    }
    return State();
}

bool BookServer::OpenEntryOutside(long entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= book_.directory().size()) {
        return false;
    }
    // The file keeps the last part of the entry's name, the part a program shows.
    const std::string& path = book_.directory()[static_cast<std::size_t>(entry)].name;
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    std::string bytes;
    if (!book_.ReadEntry(static_cast<std::size_t>(entry), bytes)) {
        return false;
    }
    // The folder names the reader's process, so that a later reader knows when it is left
    // over.
    std::string folder = platform::TempFolder() + "/" + std::string(kOpenedFolderPrefix) +
                         std::to_string(::getpid()) + "_XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) {
        return false;
    }
    openedFolders_.push_back(folder);
    const std::string file = folder + "/" + name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out.good() && opener_(file);
}

}  // namespace nbx::reader
