#pragma once
// The entry checks of a program served to its user's own browser (the reader, the
// Rebrander), and how long it lives. Every process of the machine can connect to 127.0.0.1,
// so before a request is looked at:
// - its Host must be 127.0.0.1 with the port it came in on (no other name can reach us
//   through a rebinding address);
// - its method must be one the program takes;
// - its target must begin with "/" + token + "/", compared in constant time. The browser's
//   first address holds a launch token instead, which one visit uses up and which leads on
//   to the token's address.
// A request that passes is a sign of life: the program ends when none has come for a while
// and no request is held open (a window's long poll).

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HttpMessage.h"

namespace nbx::platform {

struct ServedLifetime {
    int idleMs = 15000;   // no request and none held open for this long: the program ends
    int startMs = 60000;  // how long the first request may take to come (a browser starting)
};

// The lifetime of a program's server: from $NBX_READER_IDLE_MS when it is set (kept between
// 50 ms and a minute; tests set it), else a window may be gone for 15 seconds and a browser
// may take a minute to come.
ServedLifetime ServedLifetimeFrom(const char* idleVariable);

// True when the two secrets are equal; the time taken does not depend on where they differ.
bool SameSecret(std::string_view a, std::string_view b);

class ServedGate {
public:
    ServedGate(std::string token, std::string launchToken, ServedLifetime lifetime);

    // A port of ours: requests that come in on it must name it in their Host.
    void AddPort(std::uint16_t port) { ports_.push_back(port); }
    // Called once, when the launch address has been used up.
    void OnLaunched(std::function<void()> launched) { launched_ = std::move(launched); }

    // The answer to a request head that does not pass (or the launch address's answer), or
    // nothing when it passes.
    std::optional<HttpResponse> Admit(const HttpRequest& head,
                                      std::initializer_list<std::string_view> methods);

    // The part of an admitted request's target after the token: "/book/a.htm?q=1".
    std::string_view Rest(const HttpRequest& admitted) const;

    const std::string& token() const { return token_; }
    // "http://127.0.0.1:PORT".
    static std::string Origin(std::uint16_t port);
    // The browser's first address on port: the launch address while it is not used up.
    std::string FirstAddress(std::uint16_t port) const;

    // True when a request that changes something comes from a page of origin, as the browser
    // says in Sec-Fetch-Site or Origin; a request that names neither is refused.
    static bool FromOwnPage(const HttpRequest& request, std::string_view origin);

    // True once the program should end: finished, or no sign of life for long enough.
    bool Expired(std::size_t heldOpen);

private:
    using Clock = std::chrono::steady_clock;

    std::string token_;
    std::string launchToken_;
    ServedLifetime lifetime_;
    std::vector<std::uint16_t> ports_;
    std::function<void()> launched_;
    Clock::time_point lastLife_ = Clock::now();
    bool seen_ = false;
};

}  // namespace nbx::platform
