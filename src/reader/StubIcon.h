#pragma once
// The reader's window icon: the 766-byte icon file that eview.dat carries at a fixed offset,
// where the build puts the author's own icon.

#include <cstddef>
#include <cstdint>
#include <string>

namespace nbx::reader {

inline constexpr std::uint64_t kStubIconOffset = 494000;
inline constexpr std::size_t kStubIconSize = 766;

// The icon file's bytes from the program at path, or empty when the file is shorter or the
// bytes there do not begin like an icon file. A Windows program's is its program icon.
std::string ReadStubIcon(const std::string& path);

}  // namespace nbx::reader
