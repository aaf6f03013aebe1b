#include "viewerfiles/LanguageFileCheck.h"

#include <sys/stat.h>

#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageFormat.h"

namespace nbx {

LanguageFileChecker::Identity LanguageFileChecker::IdentityOf(const std::string& path) {
    Identity id;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return id;
    }
    id.exists = true;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.inode = static_cast<std::uint64_t>(st.st_ino);
    id.size = static_cast<std::int64_t>(st.st_size);
    id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 +
                    static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return id;
}

bool LanguageFileChecker::Check(const std::string& path) {
    const Identity identity = IdentityOf(path);
    if (remembered_ && path == lastPath_ && identity == lastIdentity_) {
        return lastResult_;
    }
    ++filesRead_;
    CLanguageMap map;
    const bool result = map.Read(path) && map.GetText(lang::kVersionKey) == lang::kVersionText;
    remembered_ = true;
    lastPath_ = path;
    lastIdentity_ = identity;
    lastResult_ = result;
    return result;
}

bool CheckLanguageFile(const std::string& path) {
    static LanguageFileChecker checker;
    return checker.Check(path);
}

}  // namespace nbx
