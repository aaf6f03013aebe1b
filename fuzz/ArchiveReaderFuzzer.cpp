// Feeds arbitrary bytes to everything that reads an e-book: the archive reader with every
// entry and the splash image, the Rebrander reader, and the decoder on its own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "format/ArchiveReader.h"
#include "format/RebranderReader.h"
#include "format/Unpacker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    nbx::ArchiveReader reader;
    if (reader.Open(std::make_unique<nbx::MemoryInput>(bytes))) {
        std::string out;
        for (std::size_t i = 0; i < reader.directory().size(); ++i) {
            reader.ReadEntry(i, out);
        }
        reader.ReadSplash(out);
    }

    nbx::MemoryInput input(bytes);
    nbx::RebranderTrailer trailer;
    nbx::RebranderRecord record;
    std::string error;
    nbx::ReadRebranderFile(input, trailer, record, error);

    // The decoder alone: the first four bytes, when there are any, give a recorded length.
    std::string out;
    nbx::Unpack(bytes, std::nullopt, out, error);
    if (size >= 4) {
        const std::uint64_t length =
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint64_t>(data[3]) << 24;
        nbx::Unpack(bytes.substr(4), length, out, error);
    }
    return 0;
}
