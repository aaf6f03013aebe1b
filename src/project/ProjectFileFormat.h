#pragma once
// Constants shared by the project file reader and writer. The byte layout is described in
// docs/formats/project-file.md.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nbx::projectfile {

inline constexpr std::string_view kVersion420 = "4.20";  // the only layout written
inline constexpr std::string_view kVersion400 = "4.00";
inline constexpr std::string_view kVersion300 = "3.00";
inline constexpr std::string_view kVersion201 = "2.01";
inline constexpr std::string_view kImportVersion = "IDT-4.00";  // written by the wizard

// An on/off setting is a 32-bit word: written 0 or 1; any word other than 0 reads as on.
inline constexpr std::int32_t StoredSwitch(bool on) {
    return on ? 1 : 0;
}
inline constexpr bool SwitchOf(std::int32_t stored) {
    return stored != 0;
}

// String length prefixes: one byte below kLongLength; else kLongLength and a 16-bit length
// below kUtf16Marker; else kLongLength, kWideLength and a 32-bit length. kUtf16Marker in
// the 16-bit place announces a UTF-16 string (read only, never written).
inline constexpr std::uint8_t kLongLength = 0xFF;
inline constexpr std::uint16_t kUtf16Marker = 0xFFFE;
inline constexpr std::uint16_t kWideLength = 0xFFFF;

// The block of reserved strings after the book information.
inline constexpr int kReservedStringBlock = 1000;

// The smallest number of bytes a list record can take (every string empty); a count that
// could not fit in the bytes left is refused before anything is allocated.
inline constexpr std::size_t kMinFileRecord201 = 1 + 4 + 4;
inline constexpr std::size_t kMinFileRecord300 = kMinFileRecord201 + 4 * 1 + 3 * 4;
inline constexpr std::size_t kMinFileRecord400 = kMinFileRecord300 + 4;
inline constexpr std::size_t kMinExtensionRecord = 1;
inline constexpr std::size_t kMinVariableRecord = 3 * 1 + 2 * 4;

}  // namespace nbx::projectfile
