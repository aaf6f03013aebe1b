// Feeds arbitrary bytes to the project file reader. Besides the sanitizers' checks, whatever
// decodes must come back unchanged through the writer and the reader.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/HtmlTitle.h"
#include "project/Project.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const nbx::Project defaults;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    nbx::ProjectSettings read = defaults;
    if (nbx::DecodeProjectFile(bytes, read).status == nbx::ProjectDecodeStatus::Ok) {
        // Keys as a load leaves them (older layouts store none).
        for (std::size_t i = 0; i < read.files.size(); ++i) {
            read.files[i].orderKey =
                nbx::IsHtmlName(read.files[i].path) ? nbx::OrderKeyForPosition(i) : "";
        }
        nbx::ProjectSettings again = defaults;
        const auto status = nbx::DecodeProjectFile(nbx::EncodeProjectFile(read), again).status;
        if (status != nbx::ProjectDecodeStatus::Ok || !(again == read)) {
            std::abort();
        }
    }
    (void)nbx::FindHtmlTitle(bytes.substr(0, nbx::kTitleReadLimit));
    return 0;
}
