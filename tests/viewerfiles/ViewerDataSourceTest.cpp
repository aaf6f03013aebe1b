// The generator's readers of the text sources in data/.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewerdata/DataSource.h"
#include "viewerdata/LanguageCompiler.h"
#include "viewerdata/ToolbarSource.h"
#include "viewerfiles/LanguageKeys.h"

namespace nbx::datagen {
namespace {

using Errors = std::vector<std::string>;

TEST(DataSourceTest, ReadsLinesAndBlocks) {
    Errors errors;
    const auto entries = ParseDataSource(
        "# comment\n"
        "  A = one\\ttwo\\n\\s\\\\  \r\n"
        "\n"
        "B <<<\n"
        "  <p>\\n raw</p>\n"
        "\n"
        "# not a comment here\n"
        ">>>\n"
        "C =\n"
        "E = ends <<<\n",
        "src", errors);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "A");
    EXPECT_EQ(entries[0].value, "one\ttwo\n \\");
    EXPECT_EQ(entries[0].line, 2);
    EXPECT_EQ(entries[1].value, "  <p>\\n raw</p>\n\n# not a comment here");
    EXPECT_EQ(entries[2].value, "");
    EXPECT_EQ(entries[3].value, "ends <<<");
}

TEST(DataSourceTest, ReportsEveryProblemWithItsLine) {
    Errors errors;
    ParseDataSource("A = x\nno equals sign\nA = again\nB = bad \\q\nbad name = x\nD <<<\nopen",
                    "src", errors);
    EXPECT_EQ(errors, (Errors{"src:2: expected \"Name = value\" or \"Name <<<\"",
                              "src:3: A is given twice", "src:4: unknown escape \\q",
                              "src:5: \"bad name\" is not a name of letters and digits",
                              "src:6: the block of D has no closing line \">>>\""}));
}

// A source with a valid text for every key.
std::vector<SourceEntry> CompleteSource() {
    std::vector<SourceEntry> entries;
    for (const auto& info : kLanguageKeys) {
        std::string value = "text";
        switch (info.flag) {
            case 'D':
                value = "tip\nlabel";
                break;
            case 'L':
                value = "&Item\tCtrl+I";
                break;
            case 'T':
                value = "Files|*.x|x";
                break;
            case 'F':
                value = info.key == LanguageKey::TextDirection ? "ltr" : "en";
                break;
            case 'H':
                value = "<p>{{title}}</p>";
                break;
        }
        if (info.key != LanguageKey::Version) {
            entries.push_back({std::string(info.name), value, 1});
        }
    }
    return entries;
}

SourceEntry& Entry(std::vector<SourceEntry>& entries, std::string_view name) {
    for (auto& e : entries) {
        if (e.name == name) {
            return e;
        }
    }
    throw std::runtime_error("no entry");
}

TEST(LanguageCompilerTest, CompleteSourceCompilesWithTheVersion) {
    Errors errors;
    CLanguageMap map;
    const auto source = CompleteSource();
    ASSERT_TRUE(CompileLanguage(source, &source, "src", map, errors)) << errors.front();
    EXPECT_EQ(map.Count(), std::size(kLanguageKeys));
    char flag = 0;
    EXPECT_EQ(map.GetText(1, flag), "4.22");
    EXPECT_EQ(flag, 'F');
}

TEST(LanguageCompilerTest, RefusesSourcesTheReaderOrEditorCouldNotUse) {
    struct Case {
        const char* what;
        const char* name;
        std::string value;
        const char* error;
    };
    const Case cases[] = {
        {"D without label", "ButtonBack", "only a tip", "a D text is a tool tip"},
        {"D with an empty label", "ButtonBack", "tip\n", "needs both"},
        {"L with an empty accelerator", "MenuFilePrint", "&Print\t", "an L text needs"},
        {"T without wild card", "FilterPdf", "PDF", "a T text is"},
        {"P on two lines", "PromptFindWhat", "Find\nwhat", "is one line"},
        {"Z too long", "CaptionOk", std::string(256, 'x'), "longer than 255"},
        {"H too long once escaped", "AboutPage", std::string(5000, '\n'), "longer than 9999"},
        {"empty text", "MsgNoPages", "", "the text is empty"},
        {"bad direction", "TextDirection", "up", "\"ltr\" or \"rtl\""},
        {"other placeholders", "AboutPage", "<p>{{titel}}</p>", "uses the placeholders {{titel}}"},
    };
    const auto reference = CompleteSource();
    for (const Case& c : cases) {
        auto source = CompleteSource();
        Entry(source, c.name).value = c.value;
        Errors errors;
        CLanguageMap map;
        EXPECT_FALSE(CompileLanguage(source, &reference, "src", map, errors)) << c.what;
        ASSERT_EQ(errors.size(), 1u) << c.what;
        EXPECT_NE(errors[0].find(c.error), std::string::npos) << c.what << ": " << errors[0];
    }
}

TEST(LanguageCompilerTest, RefusesMissingUnknownAndVersionKeys) {
    auto source = CompleteSource();
    source.erase(source.begin());  // LanguageCode
    source.push_back({"NoSuchKey", "x", 7});
    source.push_back({"Version", "4.22", 8});
    Errors errors;
    CLanguageMap map;
    EXPECT_FALSE(CompileLanguage(source, nullptr, "src", map, errors));
    EXPECT_EQ(errors,
              (Errors{"src:7: NoSuchKey is not a key of the reader (viewerfiles/LanguageKeys.h)",
                      "src:8: the version is written by the generator, not by a source",
                      "src: no text for LanguageCode"}));

    Errors translationErrors;
    EXPECT_FALSE(CompileTranslation(CompleteSource(), "t", map, translationErrors));
    EXPECT_EQ(translationErrors, (Errors{"t: no purpose for Version"}));
}

std::string ToolbarSource(const std::string& extra) {
    std::string text = "cell 2 2\ncolour . transparent\ncolour k 102030\ncolour r FF000080\n";
    bool first = true;
    for (const auto& b : toolbar::kButtonNames) {
        if (b.name == "Forward") {
            text += "button Forward mirror Back\n";
        } else {
            text += "button " + std::string(b.name) + "\n" + (first ? "k.\nr." : "..\n..") + "\n";
        }
        first = false;
    }
    return text + extra;
}

TEST(ToolbarSourceTest, LaysTheButtonsOutLeftToRight) {
    Errors errors;
    ToolbarImage image;
    ASSERT_TRUE(ParseToolbarSource(ToolbarSource(""), "tb", image, errors)) << errors.front();
    const std::size_t cells = std::size(toolbar::kButtonNames);
    ASSERT_EQ(image.buttons.size(), cells);
    EXPECT_EQ(image.buttons[0], toolbar::ToolbarButton::Back);
    EXPECT_EQ(image.rgba.size(), cells * 2 * 2 * 4);
    const auto pixel = [&](std::size_t x, std::size_t y) {
        const std::size_t at = (y * cells * 2 + x) * 4;
        return std::vector<int>(image.rgba.begin() + static_cast<long>(at),
                                image.rgba.begin() + static_cast<long>(at + 4));
    };
    EXPECT_EQ(pixel(0, 0), (std::vector<int>{0x10, 0x20, 0x30, 255}));
    EXPECT_EQ(pixel(0, 1), (std::vector<int>{255, 0, 0, 0x80}));
    EXPECT_EQ(pixel(1, 0), (std::vector<int>{0, 0, 0, 0}));
    // Forward, the second cell, is Back mirrored.
    EXPECT_EQ(pixel(3, 0), (std::vector<int>{0x10, 0x20, 0x30, 255}));
    EXPECT_EQ(pixel(2, 0), (std::vector<int>{0, 0, 0, 0}));
}

TEST(ToolbarSourceTest, ReportsBadGridsAndMissingButtons) {
    Errors errors;
    ToolbarImage image;
    EXPECT_FALSE(
        ParseToolbarSource("cell 2 2\ncolour k 000000\nbutton Back\nkk\nk\nbutton "
                           "Stop\nkx\nkk\nbutton Next mirror Exit\n",
                           "tb", image, errors));
    ASSERT_GE(errors.size(), 3u);
    EXPECT_EQ(errors[0], "tb:5: a row of Back is 1 wide, not 2");
    EXPECT_EQ(errors[1], "tb:7: 'x' is not in the palette");
    EXPECT_EQ(errors[2], "tb:9: expected \"button NAME mirror EARLIER_BUTTON\"");
    EXPECT_NE(std::find(errors.begin(), errors.end(), "tb: no image for Print"), errors.end());
}

}  // namespace
}  // namespace nbx::datagen
