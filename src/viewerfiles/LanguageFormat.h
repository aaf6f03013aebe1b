#pragma once
// Constants of the language data files ("*.lng") and of translat.dat, shared by the reader,
// the writer, the editor and the generator. docs/formats/language-files.md describes the
// layout in prose.
//
// Both files are one record stream (format/RecordFormat.h, every byte masked with the stream
// mask):
//   word    kLanguageMagic
//   word    count of records (signed; 0 or less means none)
//   count x { word key, string storedText }
// A stored text is one flag character, stored plain, then the value, character i of which
// is stored XORed with (i mod 4).

#include <cstddef>
#include <cstdint>

namespace nbx::lang {

inline constexpr std::uint32_t kLanguageMagic = 0x13651407;
// The read-ahead window of the reader.
inline constexpr std::size_t kReadAhead = 16000;
// The largest language file read: a hundred times a shipped one. A file of tiny records is
// held at several times its size, so a larger one is refused before its records are read,
// wherever it comes from (the program folder or a stranger's book).
inline constexpr std::uint64_t kMaxFileSize = 1024u * 1024u;

// Key 1 holds the version; a language file passes the check only when its text is exactly
// kVersionText.
inline constexpr std::int32_t kVersionKey = 1;
inline constexpr const char* kVersionText = "4.22";

// What a lookup of a missing key gives, and the flag that goes with it.
inline constexpr const char* kMissingText = "LANGDATA Error";
inline constexpr char kMissingFlag = 'N';

// The flags of a language file: how the editor may change a value.
inline constexpr char kFlagDescription = 'D';  // long description \n short description
inline constexpr char kFlagMenu = 'L';         // menu item text \t accelerator description
inline constexpr char kFlagFileType = 'T';     // description | wild card [| tail]
inline constexpr char kFlagHtml = 'H';         // HTML text
inline constexpr char kFlagPrompt = 'P';       // short text: the label of a field
inline constexpr char kFlagWindowTitle = 'W';  // short text: the title of a window
inline constexpr char kFlagCaption = 'Z';      // short text: a button or check box caption
inline constexpr char kFlagFixed = 'F';        // never listed and never edited
inline constexpr char kFlagMessage = 'R';      // plain text: a message or status text

// Editing limits. A stored value longer than its limit is still edited whole: the editor
// widens the field to the value's length (see LanguageValueEdit.h).
inline constexpr std::size_t kShortTextLimit = 255;
inline constexpr std::size_t kLongTextLimit = 9999;

}  // namespace nbx::lang
