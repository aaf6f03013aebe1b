#pragma once
// The served Rebrander's own files, embedded at build time from data/served/.

#include <string_view>

namespace nbx {

std::string_view RebranderScriptAsset();  // rebrander.js
std::string_view RebranderStyleAsset();   // rebrander.css

}  // namespace nbx
