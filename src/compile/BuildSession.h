#pragma once
// What the compiler remembers between the builds of one open project: the answer to the
// Table Of Contents pop-up question and the Build Series dialog's last choices. The caller
// owns it: the console for its one run, the window one per open project, a test its own.

#include <cstdint>
#include <optional>
#include <string>

namespace nbx {

struct SeriesRequest {
    std::string variable;  // a variable of kind 0 or 1
    std::int64_t first = 1;
    std::int64_t last = 100;
    bool buildRebranders = false;
};

struct BuildSession {
    // Keep the pop-up list (true) or turn it off (false), once the author has answered.
    std::optional<bool> contentsPopupAnswer;
    SeriesRequest seriesRequest;
};

}  // namespace nbx
