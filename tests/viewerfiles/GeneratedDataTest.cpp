// The data files that the build generates into the program folder: every language passes
// the check and holds every key of the reader under its flag, translat.dat explains every
// key, and toolbar.tb has an image for every button.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "format/ToolbarFile.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageEditorModel.h"
#include "viewerfiles/LanguageFileCheck.h"
#include "viewerfiles/LanguageKeys.h"
#include "viewerfiles/LanguageList.h"
#include "viewerfiles/TextTemplate.h"

namespace nbx {
namespace {

std::string InProgramFolder(const std::string& name) {
    return std::string(NBX_PROGRAM_DIR) + "/" + name;
}

std::vector<std::string> InstalledLanguages() {
    return ListLanguagesIn(NBX_PROGRAM_DIR, "English").names;
}

TEST(GeneratedDataTest, EnglishAndAnotherLanguageAreInstalled) {
    const auto names = InstalledLanguages();
    EXPECT_NE(std::find(names.begin(), names.end(), "English"), names.end());
    EXPECT_GE(names.size(), 2u);
}

TEST(GeneratedDataTest, EveryLanguageHasEveryKeyUnderItsFlag) {
    CLanguageMap english;
    ASSERT_TRUE(english.Read(InProgramFolder("English.lng"))) << english.error();
    for (const std::string& name : InstalledLanguages()) {
        SCOPED_TRACE(name);
        const std::string path = InProgramFolder(name + ".lng");
        EXPECT_TRUE(LanguageFileChecker().Check(path));
        CLanguageMap map;
        ASSERT_TRUE(map.Read(path)) << map.error();
        EXPECT_EQ(map.Count(), std::size(kLanguageKeys));
        for (const auto& info : kLanguageKeys) {
            char flag = 0;
            const std::string text = map.GetText(KeyNumber(info.key), flag);
            EXPECT_EQ(flag, info.flag) << info.name;
            EXPECT_FALSE(text.empty()) << info.name;
            EXPECT_EQ(PlaceholdersOf(text), PlaceholdersOf(english.GetText(KeyNumber(info.key))))
                << info.name;
        }
    }
}

TEST(GeneratedDataTest, TranslationExplainsEveryKeyInTheEditor) {
    test::RecordingPrompter prompter;
    LanguageEditorModel model;
    ASSERT_TRUE(
        model.Load(InProgramFolder("English.lng"), InProgramFolder("translat.dat"), prompter));
    std::size_t fixed = 0;
    for (const auto& info : kLanguageKeys) {
        fixed += info.flag == 'F' ? 1 : 0;
    }
    EXPECT_EQ(model.rows().size(), std::size(kLanguageKeys) - fixed);
    for (const LanguageRow& row : model.rows()) {
        EXPECT_NE(row.purpose, "LANGDATA Error") << row.key;
    }
}

std::uint32_t Be32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3]));
}

TEST(GeneratedDataTest, ToolbarHasAnImageForEveryButton) {
    ToolbarFile file;
    std::string error;
    ASSERT_TRUE(ReadToolbarFile(test::ReadWholeFile(InProgramFolder("toolbar.tb")), file, error))
        << error;
    for (const auto& b : toolbar::kButtonNames) {
        EXPECT_GE(file.CellOf(b.button), 0) << b.name;
    }
    // The PNG header describes a strip of the cells.
    ASSERT_GT(file.png.size(), 24u);
    EXPECT_EQ(file.png.substr(12, 4), "IHDR");
    EXPECT_EQ(Be32(file.png, 16), file.cellWidth * file.buttons.size());
    EXPECT_EQ(Be32(file.png, 20), file.cellHeight);
}

}  // namespace
}  // namespace nbx
