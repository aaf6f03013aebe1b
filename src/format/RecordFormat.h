#pragma once
// Constants of the record stream and of the e-book and Rebrander layouts that are written in
// it. The writer and the reader share this header; docs/formats/ebook.md describes the layout
// in prose.
//
// A record stream is a sequence of items, every byte XORed with kStreamMask:
//   word    4 bytes, a signed 32-bit value, little-endian
//   string  a word holding the length n, then n bytes of text; no terminator
//   block   a fixed number of raw bytes
// Magic values are words like any other; a record opens and closes with one.

#include <cstddef>
#include <cstdint>

namespace nbx::record {

inline constexpr std::uint8_t kStreamMask = 0x3C;
// Entry data (each file in the content data, the splash image) is XORed with this after
// packing.
inline constexpr std::uint8_t kEntryMask = 0x69;

// The e-book trailer: the last kTrailerLength bytes of every e-book.
inline constexpr std::uint32_t kTrailerBegin = 0x0FF5E101;
inline constexpr std::uint32_t kTrailerEnd = 0x0FF5E150;
inline constexpr std::int32_t kFormatVersion = 422;
inline constexpr std::size_t kTrailerLength = 136;
inline constexpr std::size_t kTrailerReservedBlock = 64;
inline constexpr std::size_t kTrailerReservedWords = 4;

inline constexpr std::uint32_t kSettingsBegin = 0x610BA101;
inline constexpr std::uint32_t kSettingsEnd = 0x610BA100;
inline constexpr const char* kFormatVersionText = "4.22";

inline constexpr std::uint32_t kDirectoryBegin = 0xF11E5001;
inline constexpr std::uint32_t kDirectoryEntry = 0xAB16F11E;

inline constexpr std::uint32_t kVariablesBegin = 0x1151B165;
inline constexpr std::uint32_t kVariableEntry = 0xAC11DA1A;

// The Rebrander program: a record behind the stub and a 16-byte trailer.
inline constexpr std::uint32_t kRebranderRecordBegin = 0xDA1A14F0;
inline constexpr std::uint32_t kRebranderRecordEnd = 0xDA1A14F1;
inline constexpr std::uint32_t kRebranderTrailerBegin = 0x7EB7A4D1;
inline constexpr std::uint32_t kRebranderTrailerEnd = 0x7EB7A4D2;
inline constexpr std::size_t kRebranderTrailerLength = 16;

// The most a word addresses (2 GB): no offset or length in the e-book may pass it.
inline constexpr std::uint64_t kWordMax = 0x7FFFFFFF;

// Entry names the build gives to the files that are not pages.
inline constexpr const char* kLanguageEntryName = "__lang.lng";
inline constexpr const char* kToolbarEntryName = "__tool.tb";
inline constexpr const char* kSearchIndexEntryName = "__search.idx";
inline constexpr const char* kExtensionEntryPrefix = "__nxa__";

}  // namespace nbx::record
