#pragma once
// Addresses of the maker's web pages. The base address depends on key "SITE" of section
// "SITE" in "nbxconfig.ini", read once per run.

#include <string>

namespace nbx {

// The base address for a SITE value.
std::string SiteBaseAddress(int site);

// Base address (resolved on first use and remembered) + page; page "" is the home page.
std::string SitePageAddress(const std::string& page);

}  // namespace nbx
