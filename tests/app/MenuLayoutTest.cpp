// The main window's menus and toolbar as the person sees them: every entry in its place with
// its text and keys, so a lost, moved or re-keyed command shows here.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "MainFrameFixture.h"

namespace nbx::test {
namespace {

using MenuLayoutTest = MainFrameFixture;

// One line per entry: "name|text|keys" (a check mark after the keys when it has one), "-"
// for a separator, ">name|title" for a submenu. The recent files show their names only:
// their texts are paths.
std::vector<std::string> Entries(const QList<QAction*>& actions) {
    std::vector<std::string> lines;
    for (const QAction* a : actions) {
        if (a->isSeparator()) {
            lines.push_back("-");
            continue;
        }
        const std::string name = a->objectName().toStdString();
        if (a->menu()) {
            lines.push_back(">" + a->menu()->objectName().toStdString() + "|" +
                            a->text().toStdString());
            continue;
        }
        if (name.rfind("actionRecentFile", 0) == 0) {
            lines.push_back(name);
            continue;
        }
        QStringList keys;
        for (const QKeySequence& key : a->shortcuts()) {
            keys << key.toString(QKeySequence::PortableText);
        }
        lines.push_back(name + "|" + a->text().toStdString() + "|" + keys.join("; ").toStdString() +
                        (a->isCheckable() ? "|check" : ""));
    }
    return lines;
}

TEST_F(MenuLayoutTest, EveryMenuHoldsItsCommandsInOrder) {
    OpenWindow();
    const struct {
        const char* menu;
        std::vector<std::string> entries;
    } menus[] = {
        {"menuFile",
         {"actionNew|&New|Ctrl+N", "actionOpen|&Open...|Ctrl+O", "actionSave|&Save|Ctrl+S",
          "actionSaveAs|Save &As...|", "-", "actionRecentFile1", "actionRecentFile2",
          "actionRecentFile3", "actionRecentFile4", "actionRecentFile5", "actionRecentFile6",
          "actionRecentFile7", "actionRecentFile8", "actionRecentFile9", "-", "actionExit|E&xit|"}},
        {"menuEdit",
         {"actionEditEBookInfo|&E-Book Info...|Ctrl+E", "actionEditIcon|&Icon...|",
          "actionEditStartUp|Start &Up...|", "actionEditUserInterface|&User Interface...|",
          "actionEditSystemPages|System &Pages...|", "actionEditAddIns|&Add-Ins...|", "-",
          "actionScanFolder|S&can Folder...|Ctrl+D", "actionRefreshFiles|Refresh Files|F5",
          ">menuThisFile|&This File", ">menuAllFiles|All &Files",
          ">menuVariables|Nimbrel &Variables", "-", "actionEditOutput|&Output...|"}},
        // The keys of the list commands are shown in the menus; the item commands take them.
        {"menuThisFile",
         {"actionToggleExcluded|Toggle E&xcluded|Ctrl+X",
          "actionToggleSearchable|Toggle &Searchable|Ctrl+F",
          "actionToggleInContents|Toggle in &Table Of Contents|Ctrl+J",
          "actionTogglePreprocessor|Toggle PrePro&cessor|Ctrl+P",
          "actionFileProperties|&Edit Properties...\tF4|",
          "actionFileMoveToTop|Move To T&op\tCtrl+Home|",
          "actionFileMoveUp|Move &Up\tCtrl+Up Arrow|",
          "actionFileMoveDown|Move &Down\tCtrl+Down Arrow|",
          "actionFileMoveToBottom|Move To &Bottom\tCtrl+End|"}},
        {"menuAllFiles",
         {"actionAllMakeSearchable|Make &Searchable...|",
          "actionAllRemoveSearchable|R&emove Searchable...|",
          "actionAllListInContents|List in &Table Of Contents...|",
          "actionAllRemoveFromContents|Re&move from Table Of Contents...|",
          "actionAllPreprocessorOn|Turn PrePro&cessor On|",
          "actionAllPreprocessorOff|Turn PreProcessor &Off|", "-",
          "actionAllOrderByLinks|Order By &Links...|"}},
        {"menuVariables",
         {"actionAddVariable|&Add Variable...|Ctrl+A",
          "actionDeleteVariable|&Delete Variable...|Del",
          "actionVariableProperties|&Edit Properties...\tF4|",
          "actionVariableMoveToTop|Move To T&op\tCtrl+Home|",
          "actionVariableMoveUp|Move &Up\tCtrl+Up Arrow|",
          "actionVariableMoveDown|Move &Down\tCtrl+Down Arrow|",
          "actionVariableMoveToBottom|Move To &Bottom\tCtrl+End|"}},
        {"menuView",
         {"actionViewEBookInfo|&E-Book Info||check", "actionViewIcon|&Icon||check",
          "actionViewStartUp|Start &Up||check", "actionViewUserInterface|&User Interface||check",
          "actionViewSystemPages|System &Pages||check", "actionViewAddIns|&Add-Ins||check",
          "actionViewFiles|&Files||check", "actionViewVariables|Nimbrel &Variables||check",
          "actionViewOutput|&Output||check", "-", "actionViewStatusBar|&Status Bar||check",
          "actionViewToolbar|&Toolbar||check"}},
        {"menuBuild",
         {"actionBuild|&Build..|Ctrl+B", "actionRun|&Run...|Ctrl+R",
          "actionBuildSeries|Build &Series...|"}},
        {"menuHelp",
         {"actionHelp|&Help - &User Guide|F1", "-", "actionHomePage|E-Book &Home Page|",
          "actionFaq|E-Book &Frequently Asked Questions|", "actionLinks|E-Book &Links|",
          "actionAffiliate|E-Book Affiliate &Program|", "-", "actionAbout|&About...|"}},
    };
    std::vector<std::string> bar;
    for (const auto& m : menus) {
        auto* menu = frame->findChild<QMenu*>(m.menu);
        ASSERT_NE(menu, nullptr) << m.menu;
        EXPECT_EQ(Entries(menu->actions()), m.entries) << m.menu;
        if (menu->parent() == frame->menuBar()) {
            bar.push_back(m.menu);
        }
    }
    std::vector<std::string> shown;
    for (const QAction* a : frame->menuBar()->actions()) {
        shown.push_back(a->menu()->objectName().toStdString());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"menuFile", "menuEdit", "menuView", "menuBuild",
                                               "menuHelp"}));
    EXPECT_EQ(shown, bar);
}

TEST_F(MenuLayoutTest, TheToolbarAndTheWindowKeys) {
    OpenWindow();
    auto* toolBar = frame->findChild<QToolBar*>("mainToolBar");
    ASSERT_NE(toolBar, nullptr);
    std::vector<std::string> names;
    for (const QAction* a : toolBar->actions()) {
        names.push_back(a->isSeparator() ? "-" : a->objectName().toStdString());
        EXPECT_TRUE(a->isSeparator() || !a->icon().isNull()) << names.back();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"actionNew",
                                               "actionOpen",
                                               "actionSave",
                                               "-",
                                               "actionEditEBookInfo",
                                               "actionEditIcon",
                                               "actionEditStartUp",
                                               "actionEditUserInterface",
                                               "actionEditSystemPages",
                                               "actionEditAddIns",
                                               "actionScanFolder",
                                               "actionRefreshFiles",
                                               "-",
                                               "actionItemProperties",
                                               "actionItemMoveToTop",
                                               "actionItemMoveUp",
                                               "actionItemMoveDown",
                                               "actionItemMoveToBottom",
                                               "-",
                                               "actionEditOutput",
                                               "actionBuild",
                                               "actionRun",
                                               "-",
                                               "actionAbout"}));
    // The commands in no menu: the item commands and the tab steps, each with its keys.
    const char* const windowOnly[] = {"actionItemProperties",   "actionItemMoveToTop",
                                      "actionItemMoveUp",       "actionItemMoveDown",
                                      "actionItemMoveToBottom", "actionViewNextTab",
                                      "actionViewPreviousTab"};
    QList<QAction*> actions;
    for (const char* name : windowOnly) {
        QAction* a = frame->Action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->shortcutContext(), Qt::WindowShortcut) << name;
        actions << a;
    }
    EXPECT_EQ(
        Entries(actions),
        (std::vector<std::string>{
            "actionItemProperties|Edit Properties|F4", "actionItemMoveToTop|Move To Top|Ctrl+Home",
            "actionItemMoveUp|Move Up|Ctrl+Up", "actionItemMoveDown|Move Down|Ctrl+Down",
            "actionItemMoveToBottom|Move To Bottom|Ctrl+End",
            "actionViewNextTab|Next Tab|Ctrl+Tab; Ctrl+PgDown",
            "actionViewPreviousTab|Previous Tab|Ctrl+Shift+Backtab; Ctrl+Shift+Tab; "
            "Ctrl+PgUp"}));
    EXPECT_EQ(frame->Action("actionNew")->statusTip().toStdString(), "Create a new project");
    EXPECT_EQ(frame->Action("actionNew")->toolTip().toStdString(), "New");
    EXPECT_EQ(frame->Action("actionViewFiles")->statusTip().toStdString(), "Show the Files tab");
}

}  // namespace
}  // namespace nbx::test
