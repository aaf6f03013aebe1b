#pragma once
// The book the served reader's tests open: pages in folders of the author's making, a style
// sheet, pictures (PNG and SVG), a page for the preprocessor and a file for another program.

#include <string>
#include <vector>

#include "format/BuildSettings.h"
#include "support/TempDir.h"
#include "support/TestBook.h"

namespace nbx::test {

inline const std::string kProgramDir = NBX_PROGRAM_DIR;

// A 24 x 24 red PNG.
std::string RedPng();

// The pages of the served book.
std::vector<TestBookFile> ServedBookPages();

// The bytes of the served book's file of that name; empty when it has none.
std::string ServedPage(const std::string& name);

// Settings of the served book: title "The Lighthouse Book", toolbar, menu and status bar on.
BuildSettings ServedBookSettings();

// Writes the served book (with the program folder's language and toolbar entries) at path in
// dir, with settings, from the program folder's stub of that name. Returns the writer's
// error, empty on success.
std::string WriteServedBook(const TempDir& dir, const std::string& path,
                            const BuildSettings& settings, const std::string& stub = "eview.dat");

// A book "pond" with two rebrandable variables (Shop, one line; Address, several lines) at
// bookPath, and its Rebrander, titled "Rebrand Pond Life", at rebranderPath. Returns the
// error, empty on success.
std::string WritePondBookAndRebrander(const TempDir& dir, const std::string& bookPath,
                                      const std::string& rebranderPath);

}  // namespace nbx::test
