#include "rebranding/ServedRebrander.h"

#include <cstdlib>

#include "platform/BrowserLauncher.h"
#include "platform/LaunchFile.h"
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
    RebranderServerOptions options{platform::RandomToken(), 0, platform::RandomToken(),
                                   platform::ServedLifetimeFrom(std::getenv("NBX_READER_IDLE_MS"))};
    if (options.token.empty() || options.launchToken.empty()) {
        error = "no random numbers to secure it with";
    } else {
        options.port = server.Listen(error);
    }
    if (options.port == 0) {
        std::fprintf(err, "The Rebrander can't be served on this computer: %s\n", error.c_str());
        return 1;
    }
    RebranderServer pages(rebrander, options);
    // As the reader does: the browser is handed a private file that leads on to the address.
    platform::LaunchFile launch;
    pages.OnLaunched([&launch] { launch.Remove(); });
    platform::OpenInBrowser(pages.StartAddress(), "Rebrander",
                            platform::BrowserWindow{640, 560, false}, launch, out, err);
    platform::LoopbackServerOptions serving;
    serving.maxBodyBytes = kRebrandFormLimit;
    serving.owner = platform::ThisUser();
    server.Run(pages, serving);
    return 0;
}

}  // namespace nbx
