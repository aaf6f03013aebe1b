#include "common/SiteAddress.h"

#include "platform/ProfileFile.h"

namespace nbx {

namespace {
constexpr const char* kDefaultSite = "https://www.nimbrel.example/";
constexpr const char* kSecondSite = "https://books.nimbrel.example/";
}  // namespace

std::string SiteBaseAddress(int site) {
    if (site == 0) {
        return kDefaultSite;
    }
    if (site == 1) {
        return std::string(kSecondSite) + "ebook/";
    }
    return std::string(kSecondSite) + std::to_string(site) + "/";
}

std::string SitePageAddress(const std::string& page) {
    static const std::string base =
        SiteBaseAddress(platform::ReadProfileInt("nbxconfig.ini", "SITE", "SITE", 0));
    return base + page;
}

}  // namespace nbx
