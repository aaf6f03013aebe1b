#include "cli/ProjectJson.h"

#include <nlohmann/json.hpp>

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
    Json files = Json::array();
    for (const SourceFile& f : p.files) {
        files.push_back(FileToJson(f));
    }
    Json variables = Json::array();
    for (const Variable& v : p.variables) {
        variables.push_back(VariableToJson(v));
    }
    const Json j = {
        {"title", p.title},
        {"author", p.author},
        {"authorEmail", p.authorEmail},
        {"authorUrl", p.authorUrl},
        {"publisher", p.publisher},
        {"copyright", p.copyright},
        {"affiliateNickname", p.affiliateNickname},
        {"onStart", p.onStart},
        {"onExit", p.onExit},
        {"extensions", p.extensions},
        {"sourceFolder", p.sourceFolder},
        {"files", files},
        {"outputExe", p.outputExe},
        {"includeSubFolders", p.includeSubFolders},
        {"variables", variables},
        {"startupMessage", p.startupMessage},
        {"initialWidth", p.initialWidth},
        {"initialHeight", p.initialHeight},
        {"initialPosition", p.initialPosition},
        {"splashBitmap", p.splashBitmap},
        {"splashPercentageBar", p.splashPercentageBar},
        {"splashExtraDelay", p.splashExtraDelay},
        {"autoOpenLinksInNewWindow", p.autoOpenLinksInNewWindow},
        {"menuShown", p.menuShown},
        {"nextPreviousLoop", p.nextPreviousLoop},
        {"popupMenu", p.popupMenu},
        {"scrollbarsHidden", p.scrollbarsHidden},
        {"statusBarHideDestinations", p.statusBarHideDestinations},
        {"statusBarInitially", p.statusBarInitially},
        {"statusBarToggle", p.statusBarToggle},
        {"toolbarInitially", p.toolbarInitially},
        {"toolbarToggle", p.toolbarToggle},
        {"toolbarLabels", p.toolbarLabels},
        {"contentsPopupList", p.contentsPopupList},
        {"previousButton", p.previousButton},
        {"nextButton", p.nextButton},
        {"exitButton", p.exitButton},
        {"tooltipBalloon", p.tooltipBalloon},
        {"tooltipShort", p.tooltipShort},
        {"tooltipShowDestinations", p.tooltipShowDestinations},
        {"windowResizable", p.windowResizable},
        {"windowResizableCopyA", p.windowResizableCopyA},
        {"windowResizableCopyB", p.windowResizableCopyB},
        {"alwaysOnTop", p.alwaysOnTop},
        {"toolbarButtons", p.toolbarButtons},
        {"toolbarPosition", p.toolbarPosition},
        {"language", p.language},
        {"aboutPage", p.aboutPage},
        {"aboutFile", p.aboutFile},
        {"contentsPage", p.contentsPage},
        {"contentsFile", p.contentsFile},
        {"contentsDescriptions", p.contentsDescriptions},
        {"searchShowMatch", p.searchShowMatch},
        {"searchDescriptions", p.searchDescriptions},
        {"colors", p.colors},
        {"installOption", p.installOption},
        {"iconFile", p.iconFile},
        {"buildRebrander", p.buildRebrander},
        {"rebranderExe", p.rebranderExe},
        {"rebranderTitle", p.rebranderTitle},
        {"rebranderStartMessage", p.rebranderStartMessage},
        {"rebranderEndMessage", p.rebranderEndMessage},
        {"rebranderOption", p.rebranderOption},
        {"modified", p.IsModified()},
    };
    return JsonWithVisibleControls(j.dump(2, ' ', false, Json::error_handler_t::replace));
}

}  // namespace nbx::cli
