#include "variables/VariableList.h"

#include <gtest/gtest.h>

#include "support/RecordingPrompter.h"

namespace nbx {
namespace {

Variable Var(std::string name, std::string key = "", std::string value = "") {
    Variable v;
    v.name = std::move(name);
    v.orderKey = std::move(key);
    v.value = std::move(value);
    return v;
}

std::vector<std::string> Names(const VariableList& list) {
    std::vector<std::string> out;
    for (const auto& v : list)
        out.push_back(v.name);
    return out;
}

std::vector<std::string> Keys(const VariableList& list) {
    std::vector<std::string> out;
    for (const auto& v : list)
        out.push_back(v.orderKey);
    return out;
}

TEST(VariableListTest, FindIsExactAndReturnsTheFirst) {
    const VariableList list = {Var("a"), Var("B"), Var("a")};
    EXPECT_EQ(FindVariable(list, "a"), 0);
    EXPECT_EQ(FindVariable(list, "B"), 1);
    EXPECT_EQ(FindVariable(list, "b"), -1);
    EXPECT_EQ(FindVariable(list, ""), -1);
}

TEST(VariableListTest, AddOrReplaceOverwritesEveryFieldOrAppends) {
    VariableList list = {Var("a", "00001000", "old"), Var("b", "00001001")};
    Variable replacement = Var("a", "", "new");
    replacement.description = "d";
    replacement.canRebrand = 0;
    replacement.kind = 3;
    AddOrReplaceVariable(list, replacement);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], replacement);

    AddOrReplaceVariable(list, Var("A"));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "A"}));
}

TEST(VariableListTest, RemoveTakesEveryEntryOfTheNameAndKeepsTheRestInOrder) {
    VariableList list = {Var("x"), Var("a"), Var("x"), Var("b"), Var("X")};
    EXPECT_TRUE(RemoveVariable(list, "x"));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "X"}));
    EXPECT_FALSE(RemoveVariable(list, "x"));
    EXPECT_EQ(list.size(), 3u);
}

TEST(VariableListTest, SortPutsEmptyKeysLastAndRenumbers) {
    test::RecordingPrompter prompter;
    VariableList list = {Var("new1"), Var("bottom", "99999999"), Var("c", "00001002"),
                         Var("new2"), Var("top", "00000000"),    Var("a", "00001000")};
    EXPECT_TRUE(SortVariables(list, prompter));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"top", "a", "c", "bottom", "new1", "new2"}));
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"00001000", "00001001", "00001002", "00001003",
                                                    "00001004", "00001005"}));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(prompter.busyCount, 1);
    EXPECT_EQ(prompter.busyDepth, 0);
}

TEST(VariableListTest, SortComparesKeysByteByByte) {
    test::RecordingPrompter prompter;
    // Keys from a hand-edited list need not be digits; bytes above 127 sort after ASCII.
    VariableList list = {Var("high", "\xE9"), Var("nine", "9"), Var("ten", "10")};
    SortVariables(list, prompter);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ten", "nine", "high"}));
}

TEST(VariableListTest, EqualKeysKeepTheirOrder) {
    test::RecordingPrompter prompter;
    VariableList list = {Var("b", "5"), Var("a", "5"), Var("c", "4")};
    SortVariables(list, prompter);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"c", "b", "a"}));
}

TEST(VariableListTest, StoringASortedCopyOfAnotherLengthKeepsTheList) {
    test::RecordingPrompter prompter;
    VariableList list = {Var("a", "7"), Var("b", "3")};
    const VariableList before = list;
    EXPECT_FALSE(StoreSortedVariables(list, {Var("b", "3")}, prompter));
    EXPECT_EQ(list, before);
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Internal Error"}));

    EXPECT_TRUE(StoreSortedVariables(list, {list[1], list[0]}, prompter));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"00001000", "00001001"}));
}

TEST(VariableListTest, RowTextsFollowTheColumns) {
    Variable v = Var("Price", "", "$5");
    v.kind = 5;
    v.description = "what it costs";
    EXPECT_EQ(VariableRowTexts(v), (std::array<std::string, 5>{"Price", "Include -> HTML", "Yes",
                                                               "what it costs", "$5"}));
    v.canRebrand = 0;
    v.kind = 9;
    EXPECT_EQ(VariableRowTexts(v)[1], "Error");
    EXPECT_EQ(VariableRowTexts(v)[2], "");
    EXPECT_EQ(kVariableColumns[4].title, "Value");
    EXPECT_EQ(kVariableColumns[4].width, 1100);
}

}  // namespace
}  // namespace nbx
