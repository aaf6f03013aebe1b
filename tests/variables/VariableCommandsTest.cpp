#include "variables/VariableCommands.h"

#include <gtest/gtest.h>

#include "project/Project.h"
#include "support/RecordingPrompter.h"
#include "variables/VariableDialogModel.h"

namespace nbx {
namespace {

// A project with the variables a, b, c, d in that order, sorted and unmodified.
class VariableCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c", "d"}) {
            Variable v;
            v.name = name;
            v.value = std::string("value of ") + name;
            v.description = "d";
            project.variables.push_back(v);
        }
        for (std::size_t i = 0; i < 4; ++i) {
            project.variables[i].orderKey = "0000100" + std::to_string(i);
        }
        project.SetModified(false);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& v : project.variables)
            out.push_back(v.name);
        return out;
    }

    const Variable& Named(const std::string& name) const {
        return project.variables.at(
            static_cast<std::size_t>(FindVariable(project.variables, name)));
    }

    // A dialog that the user fills with fields and accepts the way the window does: checks
    // first, and only on success writes the fields into the entry.
    AddVariableDialog AddDialog(VariableDialogFields fields, AddDialogResult button) {
        return [this, fields, button](Variable& entry) {
            opened = entry;
            if (!CheckVariableDialog(fields, VariableDialogMode::Add, project.variables, prompter)
                     .accepted) {
                return AddDialogResult::Stop;
            }
            ApplyVariableDialog(fields, entry);
            return button;
        };
    }

    EditVariableDialog EditDialog(std::function<void(VariableDialogFields&)> change) {
        return [this, change](Variable& entry) {
            opened = entry;
            VariableDialogFields fields = FieldsForVariable(entry);
            change(fields);
            if (!CheckVariableDialog(fields, VariableDialogMode::Edit, project.variables, prompter)
                     .accepted) {
                return false;
            }
            ApplyVariableDialog(fields, entry);
            return true;
        };
    }

    static VariableDialogFields Fields(std::string name, std::string value) {
        VariableDialogFields f;
        f.name = std::move(name);
        f.canRebrand = false;
        f.singleLineValue = std::move(value);
        return f;
    }

    Project project;
    test::RecordingPrompter prompter;
    Variable opened;
};

TEST_F(VariableCommandsTest, AddStoresANewVariableAtTheBottom) {
    bool addAnother = true;
    EXPECT_TRUE(AddVariable(project, prompter, AddDialog(Fields("e", "5"), AddDialogResult::Add),
                            addAnother));
    EXPECT_FALSE(addAnother);
    EXPECT_EQ(opened, Variable{});  // the dialog opens on a blank entry
    EXPECT_EQ(opened.canRebrand, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(Named("e").orderKey, "00001004");
    EXPECT_EQ(Named("e").value, "5");
    EXPECT_TRUE(project.IsModified());

    EXPECT_TRUE(AddVariable(project, prompter,
                            AddDialog(Fields("f", "6"), AddDialogResult::AddAnother), addAnother));
    EXPECT_TRUE(addAnother);
}

TEST_F(VariableCommandsTest, AddReplacesAfterYesAndTheEntryMovesToTheBottom) {
    bool addAnother = false;
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(AddVariable(project, prompter, AddDialog(Fields("b", "new"), AddDialogResult::Add),
                            addAnother));
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text,
              "There is a variable already called 'b'.\n\nDo you want to replace it?");
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "d", "b"}));
    EXPECT_EQ(Named("b").value, "new");
    EXPECT_EQ(Named("b").description, "");
}

TEST_F(VariableCommandsTest, AddRefusedOrStoppedChangesNothing) {
    const auto before = project.variables;
    bool addAnother = true;
    // No to the replace question: the window keeps the dialog open and the user then stops.
    EXPECT_FALSE(AddVariable(project, prompter, AddDialog(Fields("b", "new"), AddDialogResult::Add),
                             addAnother));
    EXPECT_FALSE(AddVariable(project, prompter, AddDialog(Fields("win", "x"), AddDialogResult::Add),
                             addAnother));
    EXPECT_FALSE(addAnother);
    EXPECT_EQ(project.variables, before);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(VariableCommandsTest, EditKeepsThePlaceAndAcceptsUnchangedFields) {
    EXPECT_TRUE(EditVariable(project, "b", prompter, EditDialog([](VariableDialogFields& f) {
                                 f.name = "renamed";
                                 f.singleLineValue = "changed";
                             })));
    EXPECT_EQ(opened.orderKey, "00001001");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "renamed", "c", "d"}));
    EXPECT_EQ(Named("renamed").value, "changed");
    EXPECT_TRUE(project.IsModified());

    project.SetModified(false);
    const auto before = project.variables;
    EXPECT_TRUE(EditVariable(project, "c", prompter, EditDialog([](VariableDialogFields&) {})));
    EXPECT_EQ(project.variables, before);
    EXPECT_TRUE(project.IsModified());
}

TEST_F(VariableCommandsTest, RenamingToAnotherNameReplacesItAtTheEditedPosition) {
    // Passing the name from the list itself must survive the list changing under it.
    const std::string& nameInList = project.variables[3].name;
    EXPECT_TRUE(EditVariable(project, nameInList, prompter,
                             EditDialog([](VariableDialogFields& f) { f.name = "b"; })));
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(Named("b").value, "value of d");
}

TEST_F(VariableCommandsTest, EditOfAMissingNameOrCancelChangesNothing) {
    const auto before = project.variables;
    bool opened = false;
    EXPECT_FALSE(EditVariable(project, "B", prompter, [&](Variable&) { return opened = true; }));
    EXPECT_FALSE(opened);
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Can't find a variable called 'B'."}));
    EXPECT_FALSE(EditVariable(project, "b", prompter, [](Variable& v) {
        v.name = "zz";
        return false;
    }));
    EXPECT_EQ(project.variables, before);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(VariableCommandsTest, DeleteAsksAndRemovesOnYes) {
    EXPECT_FALSE(DeleteVariable(project, "x", prompter));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Can't find a variable called 'x'."}));
    EXPECT_TRUE(prompter.questions.empty());

    EXPECT_FALSE(DeleteVariable(project, "b", prompter));  // default answer: No
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text, "Are you sure that you want to delete this variable?");
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_EQ(Names().size(), 4u);
    EXPECT_FALSE(project.IsModified());

    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(DeleteVariable(project, "b", prompter));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(project.variables[2].orderKey, "00001002");
    EXPECT_TRUE(project.IsModified());
}

TEST_F(VariableCommandsTest, MovesAtTheEdgesShowTheirMessageAndChangeNothing) {
    const auto before = project.variables;
    EXPECT_FALSE(MoveVariableUp(project, 0, prompter));
    EXPECT_FALSE(MoveVariableDown(project, 3, prompter));
    EXPECT_FALSE(MoveVariableUp(project, 4, prompter));  // no such row: nothing at all
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"This variable can not be moved further up.",
                                        "This variable can not be moved further down."}));
    EXPECT_EQ(project.variables, before);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(VariableCommandsTest, MovesReorderAndRenumber) {
    EXPECT_TRUE(MoveVariableUp(project, 2, prompter));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "b", "d"}));
    EXPECT_TRUE(project.IsModified());
    EXPECT_TRUE(MoveVariableDown(project, 0, prompter));
    EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_TRUE(MoveVariableToBottom(project, 1, prompter));
    EXPECT_EQ(Names(), (std::vector<std::string>{"c", "b", "d", "a"}));
    EXPECT_TRUE(MoveVariableToTop(project, 2, prompter));
    EXPECT_EQ(Names(), (std::vector<std::string>{"d", "c", "b", "a"}));
    EXPECT_EQ(project.variables[3].orderKey, "00001003");
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace nbx
