#include "rebranding/ServedRebrander.h"

#include <cstdlib>

#include "platform/BrowserLauncher.h"
#include "platform/LoopbackServer.h"
#include "platform/RandomToken.h"
#include "rebranding/RebranderServer.h"

namespace nbx {

int RunServedRebrander(const std::string& rebranderPath, std::FILE* out, std::FILE* err) {
    EBookRebrander rebrander;
    if (!rebrander.ReadRebrander(rebranderPath)) {
        std::fprintf(err, "%s\n", rebrander.error().c_str());
        return 1;
    }
    platform::LoopbackServer server;
    std::string error;
    RebranderServerOptions options{platform::RandomToken(), 0, platform::RandomToken()};
    if (options.token.empty() || options.launchToken.empty() || !server.Listen(error)) {
        std::fprintf(err, "The Rebrander can't be served on this computer: %s\n", error.c_str());
        return 1;
    }
    options.port = server.port();
    RebranderServer pages(rebrander, options);
    const std::string address = pages.StartAddress();
    std::fprintf(out, "%s\n", address.c_str());
    std::fflush(out);
    const char* browser = std::getenv("BROWSER");
    const char* path = std::getenv("PATH");
    if (!platform::StartDetached(platform::BrowserCommand(
            address, {640, 560, false}, browser ? browser : "", path ? path : ""))) {
        std::fprintf(err, "No web browser could be started: open %s in one.\n", address.c_str());
    }
    platform::LoopbackServerOptions serving =
        platform::ServingOptions(std::getenv("NBX_READER_IDLE_MS"));
    serving.maxBodyBytes = kRebrandFormLimit;
    server.Run([&](const platform::HttpRequest& request) { return pages.Handle(request); },
               [&] { return pages.finished(); }, serving);
    return 0;
}

}  // namespace nbx
