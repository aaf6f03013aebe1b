// The main window over a real project: what each tab shows, the File commands with the save
// question, and which commands are enabled where.

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include "MainFrameFixture.h"
#include "app/TamselStart.h"
#include "appmodel/SummaryRows.h"
#include "appmodel/TamselArguments.h"
#include "extensions/ExtensionRegistry.h"
#include "platform/ProfileFile.h"
#include "support/RunCommand.h"

namespace nbx::test {
namespace {

Rows Cells(const SummaryRows& rows) {
    Rows cells;
    for (const auto& row : rows) {
        cells.push_back({row.label, row.value});
    }
    return cells;
}

using MainFrameTest = MainFrameFixture;

const std::pair<MainTab, const char*> kSummaryTabs[] = {
    {MainTab::EBookInfo, "summaryEBookInfo"},
    {MainTab::Icon, "summaryIcon"},
    {MainTab::StartUp, "summaryStartUp"},
    {MainTab::UserInterface, "summaryUserInterface"},
    {MainTab::SystemPages, "summarySystemPages"},
    {MainTab::AddIns, "summaryAddIns"},
    {MainTab::Output, "summaryOutput"}};

TEST_F(MainFrameTest, OpensTheProjectNamedOnTheCommandLine) {
    auto started = app::StartMainFrame(projectPath);
    EXPECT_EQ(started->windowTitle().toStdString(), "knots.nxp - Nimbrel E-Book Compiler");
    EXPECT_EQ(started->document().project().title, "Knots");
    EXPECT_FALSE(started->document().IsModified());
    EXPECT_EQ(started->recentFiles().entries().front(), projectPath);
    // Start-up tells the wizard and the extensions where the compiler is.
    EXPECT_EQ(platform::ReadProfileString("nbxconfig.ini", "PROGRAM", "COMPILER", ""),
              std::string(NBX_PROGRAM_DIR) + "/tamsel");
    auto* tabs = started->findChild<QTabBar*>("tabBar");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 9);
    EXPECT_EQ(tabs->tabText(0).toStdString(), "E-Book Info");
    EXPECT_EQ(tabs->tabText(7).toStdString(), "Nimbrel Variables");
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(MainFrameTest, EveryTabShowsItsRows) {
    OpenWindow();
    const Project& p = frame->document().project();
    EXPECT_EQ(ListRows("summaryEBookInfo"), (Rows{{"Title", "Knots"},
                                                  {"Publisher", "Rope Press"},
                                                  {"Copyright", "(c) 2026 A. Sailor"},
                                                  {"Author", "A. Sailor"},
                                                  {"Author's E-mail Address", "a@example.org"},
                                                  {"Author's Web Site URL", ""}}));
    EXPECT_EQ(ListRows("summaryIcon"),
              (Rows{{"Installation Option", "On the Desktop"}, {"Icon Path", p.iconFile}}));
    EXPECT_EQ(ListRows("summaryStartUp"), (Rows{{"Start Up Message", ""},
                                                {" Enabled", "Yes"},
                                                {" Message Text", "Welcome aboard"},
                                                {"", ""},
                                                {"Initial Size/Position", ""},
                                                {" X Size", "640"},
                                                {" Y Size", "480"},
                                                {" Position", "Top Left"},
                                                {"", ""},
                                                {"Splash Bitmap", ""},
                                                {" Enabled", "No"}}));
    EXPECT_EQ(ListRows("summaryUserInterface"), Cells(UserInterfaceSummary(p)));
    EXPECT_EQ(ListRows("summaryUserInterface")[27],
              (std::vector<std::string>{"Toolbar Position", "Right"}));
    EXPECT_EQ(ListRows("summarySystemPages"), Cells(SystemPagesSummary(p)));
    EXPECT_EQ(ListRows("summarySystemPages").back(),
              (std::vector<std::string>{" Table Of Contents Page", "Disabled"}));
    EXPECT_EQ(ListRows("summaryAddIns"), (Rows{{"Event Handlers", ""},
                                               {" On Start", "start()"},
                                               {" On Exit", ""},
                                               {"", ""},
                                               {"Extensions", ""},
                                               {" None", ""}}));
    EXPECT_EQ(ListRows("summaryOutput"),
              (Rows{{"E-Book", ""}, {" Output E-Book EXE", dir.File("out/knots.exe")}}));
    EXPECT_EQ(ListRows("fileList"), (Rows{{"index.htm", "", "Home", "", "", "Yes", "Yes", ""},
                                          {"knots.htm", "", "Knots", "", "", "Yes", "Yes", ""},
                                          {"pic.gif", "", "", "", "", "", "", ""}}));
    EXPECT_EQ(ListRows("variableList"), (Rows{{"greeting", "HTML", "Yes", "The welcome", "Hello"},
                                              {"footer", "Long HTML", "", "", "<b>bye</b>"}}));
    QTreeWidget* files = List("fileList");
    EXPECT_EQ(files->headerItem()->text(7).toStdString(), "PreProcessor");
    // At least the widths the lists are given; wider where the cells need it.
    EXPECT_GE(files->columnWidth(5), 80);
    EXPECT_GE(List("summaryOutput")->columnWidth(0), 150);
}

// Each summary shows every label whole beside its value, sections under bold headings, and no
// horizontal scroll bar; long values end in "..." with the whole value as the tool tip.
TEST_F(MainFrameTest, SummariesFitTheirLabelsAndShowHeadings) {
    OpenWindow();
    frame->document().project().rebranderStartMessage = std::string(400, 'w');
    frame->document().project().buildRebrander = 1;
    frame->view()->Rebuild(MainTab::Output);
    frame->resize(900, 500);
    for (const auto& [tab, name] : kSummaryTabs) {
        QTreeWidget* list = List(name);
        frame->view()->ShowTab(tab);
        QApplication::processEvents();
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << name;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            const QString label = item->text(0);
            const bool heading = item->font(0).bold();
            EXPECT_EQ(heading, item->isFirstColumnSpanned()) << name << " " << i;
            if (!heading) {
                // An indented label is drawn 14 pixels in.
                const int needed = QFontMetrics(item->font(0)).horizontalAdvance(label) +
                                   (label.startsWith(' ') ? 14 : 0);
                EXPECT_LT(needed, list->columnWidth(0)) << name << ": " << label.toStdString();
            }
        }
    }
    // The variable list's long last column fills the width instead of running past it.
    frame->view()->ShowTab(MainTab::Variables);
    QApplication::processEvents();
    EXPECT_FALSE(List("variableList")->horizontalScrollBar()->isVisible());
    QTreeWidget* output = List("summaryOutput");
    EXPECT_TRUE(output->topLevelItem(0)->font(0).bold());  // "E-Book"
    EXPECT_FALSE(output->topLevelItem(1)->font(0).bold());
    EXPECT_EQ(output->topLevelItem(6)->toolTip(1).toStdString(), std::string(400, 'w'));
}

TEST_F(MainFrameTest, ItemCommandsOnlyOnFilesAndVariables) {
    OpenWindow();
    const char* items[] = {"actionItemProperties", "actionItemMoveToTop", "actionItemMoveUp",
                           "actionItemMoveDown", "actionItemMoveToBottom"};
    frame->view()->ShowTab(MainTab::EBookInfo);
    for (const char* name : items) {
        EXPECT_FALSE(frame->Action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(frame->Action("actionViewEBookInfo")->isChecked());
    Trigger("actionViewFiles");
    for (const char* name : items) {
        EXPECT_TRUE(frame->Action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(frame->Action("actionViewFiles")->isChecked());
    EXPECT_FALSE(frame->Action("actionViewEBookInfo")->isChecked());
    EXPECT_FALSE(frame->Action("actionToggleExcluded")->isEnabled());
    Trigger("actionViewVariables");
    EXPECT_TRUE(frame->Action("actionItemMoveUp")->isEnabled());
    EXPECT_FALSE(frame->Action("actionDeleteVariable")->isEnabled());
    Select(MainTab::Variables, 0);
    EXPECT_TRUE(frame->Action("actionDeleteVariable")->isEnabled());
}

TEST_F(MainFrameTest, AModifiedProjectAsksBeforeItIsReplaced) {
    OpenWindow();
    Select(MainTab::Files, 2);
    Trigger("actionToggleExcluded");
    ASSERT_TRUE(frame->document().IsModified());

    prompter.answers = {Answer::Cancel};
    Trigger("actionNew");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text, "Save changes to knots.nxp?");
    EXPECT_EQ(prompter.questions[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(frame->document().path(), projectPath);
    EXPECT_TRUE(frame->document().IsModified());

    prompter.answers = {Answer::Yes};
    Trigger("actionNew");
    EXPECT_EQ(frame->document().title(), "Untitled");
    EXPECT_EQ(frame->windowTitle().toStdString(), "Untitled - Nimbrel E-Book Compiler");
    CTamselDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(projectPath, prompter));
    EXPECT_EQ(reread.project().files.back().excluded, 1) << "Save kept the change";

    // Don't Save: the change is lost, the file stays as it was.
    ASSERT_TRUE(frame->OpenDocument(projectPath));
    Select(MainTab::Files, 2);
    Trigger("actionToggleExcluded");
    prompter.answers = {Answer::No};
    Trigger("actionNew");
    ASSERT_TRUE(reread.OnOpenDocument(projectPath, prompter));
    EXPECT_EQ(reread.project().files.back().excluded, 1);
    EXPECT_EQ(frame->document().title(), "Untitled");

    // Closing asks too; Cancel keeps the window.
    Select(MainTab::Files, 0);
    frame->document().SetModifiedFlag(true);
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompter.questions.back().text, "Save changes to Untitled?");
}

TEST_F(MainFrameTest, SaveWritesTheProjectAndTheRecentList) {
    OpenWindow();
    frame->document().project().title = "Bends";
    frame->document().SetModifiedFlag(true);
    Trigger("actionSave");
    EXPECT_FALSE(frame->document().IsModified());
    CTamselDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(projectPath, prompter));
    EXPECT_EQ(reread.project().title, "Bends");

    const std::string copy = dir.File("copy.nxp");
    frame->dialogs.saveProjectAs = [&](const std::string&) { return copy; };
    Trigger("actionSaveAs");
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(frame->windowTitle().toStdString(), "copy.nxp - Nimbrel E-Book Compiler");
    EXPECT_EQ(frame->recentFiles().entries(), (std::vector<std::string>{copy, projectPath}));
    EXPECT_EQ(frame->Action("actionRecentFile1")->text().toStdString(), "&1 " + copy);
    EXPECT_FALSE(frame->Action("actionRecentFile3")->isVisible());

    // A project that has gone leaves the list when it cannot be opened.
    std::filesystem::remove(copy);
    Trigger("actionRecentFile1");
    EXPECT_FALSE(prompter.messages.empty());
    EXPECT_EQ(frame->recentFiles().entries(), (std::vector<std::string>{projectPath}));
    Trigger("actionRecentFile1");
    EXPECT_EQ(frame->document().path(), projectPath);
}

}  // namespace
}  // namespace nbx::test

namespace nbx::test {
namespace {

using EditCommandTest = MainFrameFixture;

// The settings dialogs are their own; here only that each command and double click goes to
// its tab (a dialog that opens is cancelled by the fixture).
TEST_F(EditCommandTest, EachEditCommandSelectsItsTab) {
    OpenWindow();
    const std::pair<const char*, MainTab> commands[] = {
        {"actionEditIcon", MainTab::Icon},
        {"actionEditStartUp", MainTab::StartUp},
        {"actionEditUserInterface", MainTab::UserInterface},
        {"actionEditSystemPages", MainTab::SystemPages},
        {"actionEditAddIns", MainTab::AddIns},
        {"actionEditOutput", MainTab::Output},
        {"actionEditEBookInfo", MainTab::EBookInfo},
    };
    for (const auto& [action, tab] : commands) {
        frame->view()->ShowTab(MainTab::Files);
        Trigger(action);
        EXPECT_EQ(frame->view()->CurrentTab(), tab) << action;
    }
    EXPECT_EQ(ListRows("summaryEBookInfo")[0][1], "Knots") << "a cancelled dialog changes nothing";
}

TEST_F(EditCommandTest, DoubleClicksNeedARowOnTheLists) {
    OpenWindow();
    frame->view()->ShowTab(MainTab::Files);
    frame->view()->List(MainTab::Files)->clearSelection();
    emit frame->view()->RowActivated(MainTab::Files);
    frame->view()->ShowTab(MainTab::Variables);
    emit frame->view()->RowActivated(MainTab::Variables);
    QApplication::processEvents();
    EXPECT_EQ(unexpectedDialogs, 0);
    EXPECT_FALSE(frame->document().IsModified());
}

// Ctrl+Tab and Ctrl+PgDown go to the next tab, with Shift or PgUp to the one before, round
// the ends, from the list that has the keyboard.
TEST_F(MainFrameTest, KeysStepThroughTheTabs) {
    OpenWindow();
    QTreeWidget* list = List("summaryEBookInfo");
    list->setFocus();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        MainTab expected;
    } steps[] = {
        {Qt::Key_Tab, Qt::ControlModifier, MainTab::Icon},
        {Qt::Key_PageDown, Qt::ControlModifier, MainTab::StartUp},
        {Qt::Key_PageUp, Qt::ControlModifier, MainTab::Icon},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, MainTab::EBookInfo},
        {Qt::Key_PageUp, Qt::ControlModifier, MainTab::Output},
        {Qt::Key_Tab, Qt::ControlModifier, MainTab::EBookInfo},
    };
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
        EXPECT_EQ(frame->view()->CurrentTab(), step.expected) << static_cast<int>(step.expected);
    }
}

// The window and the About box carry the compiler's own icon, at the sizes drawn for it.
TEST_F(MainFrameTest, TheProgramHasItsOwnIcon) {
    OpenWindow();
    const QIcon icon = frame->windowIcon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
}

// --help needs no display and names the usage; another option is refused rather than opened
// as a project.
TEST(TamselCommandLineTest, HelpAndUnknownOptions) {
    const std::string tamsel = std::string(NBX_PROGRAM_DIR) + "/tamsel";
    int status = 0;
    const std::string usage = RunCommand(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + tamsel + "' --help", status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << usage;
    EXPECT_EQ(usage, TamselUsage());
    const std::string refused =
        RunCommand("QT_QPA_PLATFORM=offscreen '" + tamsel + "' --bogus 2>&1", status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << refused;
    EXPECT_NE(refused.find("tamsel: unknown option --bogus\nUsage: tamsel"), std::string::npos)
        << refused;
}

}  // namespace
}  // namespace nbx::test
