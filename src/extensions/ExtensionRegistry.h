#pragma once
// The loaded extensions, keyed by their configured path. Paths keep their spelling and
// compare exactly: file names on this system are case-sensitive.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "extensions/ExtensionInfo.h"
#include "project/InstalledExtensions.h"

namespace nbx {

class ExtensionRegistry final : public InstalledExtensions {
public:
    using Records = std::map<std::string, ExtensionInfo, std::less<>>;

    // Stores the record under its path; a record already there for the path is replaced.
    void Store(ExtensionInfo info);
    const ExtensionInfo* Find(std::string_view path) const;
    bool Contains(std::string_view path) const { return Find(path) != nullptr; }
    bool IsInstalled(std::string_view path) const override { return Contains(path); }

    // Records in registry order.
    const Records& records() const { return records_; }
    Records& records() { return records_; }

private:
    Records records_;
};

// The registry of the running program: created on first use; after
// DestroyProcessExtensionRegistry it is gone for good and this returns null.
ExtensionRegistry* ProcessExtensionRegistry();
void DestroyProcessExtensionRegistry();

}  // namespace nbx
