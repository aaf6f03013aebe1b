#include "SeriesProject.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "project/Project.h"
#include "project/ProjectFileWriter.h"

namespace nbx {

std::string WriteSeriesProject(const test::TempDir& dir, const SeriesProjectOptions& options) {
    Project project;
    SourceFile index;
    index.path = dir.Write("src/index.htm", "<title>One</title>[={Number}]");
    project.files = {index};
    project.sourceFolder = dir.File("src");
    project.outputExe = dir.File(options.outFolder + "/book.exe");
    project.splashBitmap.clear();
    project.iconFile.clear();  // the stock icon
    project.language = options.language;
    Variable number;
    number.name = "Number";
    number.canRebrand = 0;
    project.variables = {number};
    if (options.rebrander) {
        Variable shop;
        shop.name = "Shop";
        shop.description = "Your shop";
        project.variables.push_back(shop);
        project.buildRebrander = 1;
        project.rebranderExe = dir.File(options.outFolder + "/rebrand.exe");
    }
    std::filesystem::create_directories(dir.File(options.outFolder));
    const std::string path = dir.File(options.name + ".nxp");
    int error = 0;
    EXPECT_TRUE(SaveProjectFile(path, project, error));
    return path;
}

}  // namespace nbx
