// The reader's rules that need no book: accelerators, the event texts,
// the reserved names and the addresses of pages.

#include <gtest/gtest.h>

#include "reader/BookLinks.h"
#include "reader/BookValues.h"
#include "reader/ReaderTexts.h"
#include "reader/RunCommand.h"
#include "variables/VariableName.h"

namespace nbx::reader {
namespace {

TEST(ReaderRulesTest, AcceleratorsOfEveryShippedLanguageReadAsPortableKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ctrl+P", "Ctrl+P"},
        {"Strg+Umschalt+P", "Ctrl+Shift+P"},
        {"Strg+Bild ab", "Ctrl+PgDown"},
        {"Ctrl+PgUp", "Ctrl+PgUp"},
        {"Alt+Links", "Alt+Left"},
        {"Alt+Pos1", "Alt+Home"},
        {"F3", "F3"},
        {"Esc", "Esc"},
        {"Ctrl++", "Ctrl++"},
        {"Ctrl + F", "Ctrl+F"},
        {"Strg+Entf", "Ctrl+Del"},
        {"Umschalt+Strg+p", "Ctrl+Shift+P"},
        {"", ""},
    };
    for (const auto& [shown, portable] : cases) {
        EXPECT_EQ(PortableAccelerator(shown), portable) << shown;
    }
}

TEST(ReaderRulesTest, EventTextsRunOnlyTheRunForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"##RUN('setup')", "/books/setup"},
        {"  ##RUN('tools\\setup.sh')\n", "/books/tools/setup.sh"},
        {"##RUN('/usr/bin/true')", "/usr/bin/true"},
        {"##RUN('../../bin/sh')", "/bin/sh"},  // the question names where it climbs to
        {"##RUN('tools/./../setup')", "/books/setup"},
        {"##RUN('/usr/lib/../bin/sh')", "/usr/bin/sh"},
        {"##RUN(' a b ')", "/books/a b"},
        {"##RUN('')", ""},
        {"##RUN('it's')", ""},
        {"##run('x')", ""},
        {"##RUN('x') and more", ""},
        {"##RUN(\"x\")", ""},
        {"alert('hi')", ""},
        {"", ""},
    };
    for (const auto& [text, program] : cases) {
        EXPECT_EQ(RunCommandProgram(text, "/books"), program) << text;
    }
}

TEST(ReaderRulesTest, EveryReservedNameHasAValueAndUserNamesDoNot) {
    BuildSettings s;
    s.title = "A & B";
    s.buildYear = 2024;
    s.buildMonth = 3;
    s.buildMinute = 5;
    ReaderContext c;
    c.ebookPath = "/home/ann/My Books/guide";
    c.commandLine = JoinCommandLine({"-x", "two words", ""});
    c.pageName = "index.html";
    c.now = {2025, 12, 1, 9, 0, 30, 1};
    c.windowWidth = 800;
    for (const std::string_view name : kReservedVariableNames) {
        EXPECT_TRUE(ReservedValue(name, s, c).has_value()) << name;
    }
    const std::pair<const char*, const char*> cases[] = {
        {"title", "A &amp; B"},
        {"compileyear", "2024"},
        {"compilemonth", "03"},
        {"compileminute", "05"},
        {"nowsecond", "30"},
        {"nowday", "01"},
        {"bracel", "{"},
        {"doublequote", "\""},
        {"windowwidth", "800"},
        {"ebook", "/home/ann/My Books/guide"},
        {"app", "/home/ann/My Books"},
        {"exename", "guide"},
        {"ebookurl", "file:///home/ann/My%20Books/guide"},
        {"commandline", "-x \"two words\" \"\""},
        {"p", "index.html"},
        {"ebookdrive", ""},
    };
    for (const auto& [name, value] : cases) {
        EXPECT_EQ(ReservedValue(name, s, c), value) << name;
    }
    EXPECT_FALSE(ReservedValue("Title", s, c).has_value());
    EXPECT_FALSE(ReservedValue("", s, c).has_value());

    const std::vector<ArchiveVariable> variables = {
        {"Note", "", "x < y", 0, 3}, {"Note", "", "second", 0, 0}, {"Raw", "", "<i>x</i>", 0, 2}};
    EXPECT_EQ(LookupBookValue("Note", variables, s, c), "x &lt; y");
    EXPECT_EQ(LookupBookValue("Raw", variables, s, c), "<i>x</i>");
    EXPECT_EQ(LookupBookValue("title", variables, s, c), "A &amp; B");
    EXPECT_FALSE(LookupBookValue("raw", variables, s, c).has_value());
}

TEST(ReaderRulesTest, AddressesAndHowEntriesAreShown) {
    EXPECT_EQ(PageAddress("My Page#1.htm"), "ebook://page/My%20Page%231.htm");
    EXPECT_EQ(SystemPageAddress(SystemPage::Contents), "ebook://system/contents");
    const std::pair<const char*, EntryView> cases[] = {
        {"a.HTM", EntryView::Page},     {"a.html", EntryView::Page},
        {"b.JPEG", EntryView::Picture}, {"c.png", EntryView::Picture},
        {"notes.txt", EntryView::Text}, {"manual.pdf", EntryView::Other},
        {".gif", EntryView::Other},     {"htm", EntryView::Other},
    };
    for (const auto& [name, view] : cases) {
        EXPECT_EQ(ViewOfEntry(name), view) << name;
    }
}

}  // namespace
}  // namespace nbx::reader
