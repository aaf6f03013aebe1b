#pragma once
// The Rebrander served to the reseller's browser: its three steps (start, customize, end) as
// pages of ours on 127.0.0.1, behind the entry checks of ServedGate. The one request that
// changes the e-book is a form POST, which must also come from the Rebrander's own pages:
// the browser says so in Origin or Sec-Fetch-Site, and a request that names neither is
// refused. Nothing of the e-book is served: the pages show its title, messages and variables
// as plain text.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/HttpMessage.h"
#include "platform/LoopbackServer.h"
#include "platform/ServedGate.h"
#include "rebranding/EBookRebrander.h"

namespace nbx {

struct RebranderServerOptions {
    std::string token;
    std::uint16_t port = 0;
    // The address handed to the browser holds this instead of the token; its first visit
    // uses it up (see BookServerOptions). Empty: none.
    std::string launchToken;
    platform::ServedLifetime lifetime;
};

// The largest form the customize page can send: every variable at its longest, encoded.
inline constexpr std::size_t kRebrandFormLimit = 8 * 1024 * 1024;

class RebranderServer : public platform::HttpService {
public:
    // REQUIRES: rebrander.ReadRebrander succeeded. rebrander must outlive this object.
    RebranderServer(EBookRebrander& rebrander, RebranderServerOptions options);

    std::optional<platform::HttpResponse> Admit(const platform::HttpRequest& head) override;
    // The response, or nothing to hold the request (the pages' keep-alive poll).
    std::optional<platform::HttpResponse> Handle(const platform::HttpRequest& request) override;
    bool Finished(std::size_t heldOpen) override;

    bool finished() const { return finished_; }
    std::string StartAddress() const;
    // Called once, when the launch address has been used up.
    void OnLaunched(std::function<void()> launched) { gate_.OnLaunched(std::move(launched)); }

    // What starts the e-book on "View E-Book"; returns success. The default starts it.
    void SetViewer(std::function<bool(const std::string& ebook)> viewer);

private:
    platform::HttpResponse Page(std::string title, const std::string& content) const;
    platform::HttpResponse StartPage() const;
    platform::HttpResponse CustomizePage(const std::string& message,
                                         const std::vector<std::string>* values);
    platform::HttpResponse Save(const platform::HttpRequest& request);
    platform::HttpResponse EndPage(const std::string& message) const;
    std::string Origin() const;
    std::string Title() const;

    EBookRebrander& rebrander_;
    RebranderServerOptions options_;
    platform::ServedGate gate_;
    bool opened_ = false;
    bool finished_ = false;
    std::function<bool(const std::string&)> viewer_;
};

}  // namespace nbx
