// Feeds arbitrary bytes to the toolbar-file reader; whatever reads must write back to a file
// that reads the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/ByteSink.h"
#include "format/ToolbarFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    nbx::ToolbarFile file;
    std::string error;
    if (!nbx::ReadToolbarFile(bytes, file, error)) {
        return 0;
    }
    std::string written;
    nbx::StringSink sink(written);
    nbx::ToolbarFile again;
    if (!nbx::WriteToolbarFile(file, sink, error) || !nbx::ReadToolbarFile(written, again, error) ||
        again.buttons != file.buttons || again.png != file.png) {
        std::abort();
    }
    return 0;
}
