#include "extensions/ExtensionRegistry.h"

#include <memory>

namespace nbx {

void ExtensionRegistry::Store(ExtensionInfo info) {
    auto it = records_.find(info.path);
    if (it == records_.end()) {
        std::string key = info.path;
        records_.emplace(std::move(key), std::move(info));
        return;
    }
    // A second load of the same path replaces the record. The library it replaces stays
    // loaded (the system counts the loads), but it is not asked to exit.
    it->second = std::move(info);
}

const ExtensionInfo* ExtensionRegistry::Find(std::string_view path) const {
    const auto it = records_.find(path);
    return it == records_.end() ? nullptr : &it->second;
}

namespace {
struct ProcessRegistry {
    std::unique_ptr<ExtensionRegistry> registry;
    bool destroyed = false;
};
ProcessRegistry& Process() {
    static ProcessRegistry process;
    return process;
}
}  // namespace

ExtensionRegistry* ProcessExtensionRegistry() {
    auto& p = Process();
    if (!p.registry && !p.destroyed) {
        p.registry = std::make_unique<ExtensionRegistry>();
    }
    return p.registry.get();
}

void DestroyProcessExtensionRegistry() {
    auto& p = Process();
    p.registry.reset();
    p.destroyed = true;
}

}  // namespace nbx
