// Feeds arbitrary bytes to what the served reader reads from any local process: the request
// head, the request path with its escapes and the query values.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/HttpMessage.h"
#include "reader/BookServer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    nbx::platform::HttpRequest request;
    if (nbx::platform::ParseHttpRequest(bytes, request) == nbx::platform::ParseResult::Complete) {
        const std::string_view target = request.target;
        const std::size_t mark = target.find('?');
        nbx::reader::SafeRequestPath(target.substr(0, mark));
        if (mark != std::string_view::npos) {
            nbx::platform::QueryValue(target.substr(mark + 1), "q");
        }
        request.Header("host");
    }
    nbx::platform::PercentDecode(bytes, true);
    return 0;
}
