#include "platform/ServedGate.h"

#include <algorithm>
#include <cstdlib>

namespace nbx::platform {

ServedLifetime ServedLifetimeFrom(const char* idleVariable) {
    ServedLifetime lifetime;
    if (idleVariable != nullptr && *idleVariable != '\0') {
        lifetime.idleMs =
            static_cast<int>(std::clamp(std::strtol(idleVariable, nullptr, 10), 50L, 60000L));
        lifetime.startMs = lifetime.idleMs;
    }
    return lifetime;
}

bool SameSecret(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    unsigned char diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    }
    return diff == 0;
}

ServedGate::ServedGate(std::string token, std::string launchToken, ServedLifetime lifetime)
    : token_(std::move(token)), launchToken_(std::move(launchToken)), lifetime_(lifetime) {}

std::string ServedGate::Origin(std::uint16_t port) {
    return "http://127.0.0.1:" + std::to_string(port);
}

std::string ServedGate::FirstAddress(std::uint16_t port) const {
    return Origin(port) + "/" + (launchToken_.empty() ? token_ : launchToken_) + "/";
}

std::optional<HttpResponse> ServedGate::Admit(const HttpRequest& head,
                                              std::initializer_list<std::string_view> methods) {
    if (std::find(methods.begin(), methods.end(), head.method) == methods.end()) {
        HttpResponse refused = PlainResponse(405);
        std::string allow;
        for (std::string_view m : methods) {
            allow += (allow.empty() ? "" : ", ") + std::string(m);
        }
        refused.headers.emplace_back("Allow", allow);
        return refused;
    }
    const bool ours = std::find(ports_.begin(), ports_.end(), head.localPort) != ports_.end();
    if (!ours || head.Header("host").value_or("") != Origin(head.localPort).substr(7)) {
        return PlainResponse(403);
    }
    // Only the origin-form of a target: no "http://...", no "file:", no "*".
    const std::string_view target = head.target;
    if (!launchToken_.empty() && head.method == "GET" && target.size() == launchToken_.size() + 2 &&
        target.front() == '/' && target.back() == '/' &&
        SameSecret(target.substr(1, launchToken_.size()), launchToken_)) {
        launchToken_.clear();  // used up
        if (launched_) {
            launched_();
        }
        lastLife_ = Clock::now();
        seen_ = true;
        HttpResponse onwards;
        onwards.status = 303;
        onwards.headers = {{"Location", "/" + token_ + "/"},
                           {"Cache-Control", "no-store"},
                           {"Referrer-Policy", "no-referrer"}};
        return onwards;
    }
    if (target.size() < token_.size() + 2 || target.front() != '/' ||
        target[token_.size() + 1] != '/' || !SameSecret(target.substr(1, token_.size()), token_)) {
        return PlainResponse(403);
    }
    lastLife_ = Clock::now();
    seen_ = true;
    return std::nullopt;
}

std::string_view ServedGate::Rest(const HttpRequest& admitted) const {
    return std::string_view(admitted.target).substr(token_.size() + 1);
}

bool ServedGate::FromOwnPage(const HttpRequest& request, std::string_view origin) {
    const std::optional<std::string_view> site = request.Header("sec-fetch-site");
    const std::optional<std::string_view> from = request.Header("origin");
    if (!site && !from) {
        return false;
    }
    return (!site || *site == "same-origin") && (!from || *from == origin);
}

bool ServedGate::Expired(std::size_t heldOpen) {
    if (heldOpen > 0) {
        lastLife_ = Clock::now();
        return false;
    }
    const auto quiet =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastLife_);
    return quiet.count() >= (seen_ ? lifetime_.idleMs : lifetime_.startMs);
}

}  // namespace nbx::platform
