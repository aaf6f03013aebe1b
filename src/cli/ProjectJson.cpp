#include "cli/ProjectJson.h"

#include <type_traits>
#include <variant>

#include <nlohmann/json.hpp>

#include "appmodel/SettingFields.h"
#include "common/VisibleText.h"
#include "project/Project.h"

namespace nbx::cli {

namespace {

using Json = nlohmann::ordered_json;

Json FileToJson(const SourceFile& f) {
    return Json{{"path", f.path},
                {"title", f.title},
                {"description", f.description},
                {"keywords", f.keywords},
                {"orderKey", f.orderKey},
                {"searchable", f.searchable},
                {"inContents", f.inContents},
                {"excluded", f.excluded},
                {"preprocess", f.preprocess}};
}

Json VariableToJson(const Variable& v) {
    return Json{{"name", v.name},   {"description", v.description},
                {"value", v.value}, {"canRebrand", v.canRebrand},
                {"kind", v.kind},   {"orderKey", v.orderKey}};
}

}  // namespace

std::string ProjectToJson(const Project& p) {
    Json j = Json::object();
    for (const SettingField& field : SettingFields()) {
        std::visit(
            [&](auto place) {
                const auto& value = p.*place;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::vector<SourceFile>>) {
                    Json files = Json::array();
                    for (const SourceFile& f : value) {
                        files.push_back(FileToJson(f));
                    }
                    j[field.name] = files;
                } else if constexpr (std::is_same_v<T, std::vector<Variable>>) {
                    Json variables = Json::array();
                    for (const Variable& v : value) {
                        variables.push_back(VariableToJson(v));
                    }
                    j[field.name] = variables;
                } else if constexpr (std::is_same_v<T, bool>) {
                    j[field.name] = value ? 1 : 0;  // switches stay 0 and 1, as in the file
                } else if constexpr (std::is_same_v<T, std::array<bool, kToolbarButtonCount>>) {
                    Json switches = Json::array();
                    for (const bool on : value) {
                        switches.push_back(on ? 1 : 0);
                    }
                    j[field.name] = switches;
                } else {
                    j[field.name] = value;
                }
            },
            field.place);
    }
    j["modified"] = p.IsModified();
    return JsonWithVisibleControls(j.dump(2, ' ', false, Json::error_handler_t::replace));
}

}  // namespace nbx::cli
