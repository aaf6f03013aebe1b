// The reader's window on a real book: pages, order, variables, the generated pages, search
// and the settings that shape the window.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "ReaderFixture.h"
#include "eview/PageBrowser.h"
#include "eview/ReaderActions.h"
#include "reader/BookLinks.h"

namespace nbx::test {
namespace {

using reader::SystemPage;

class ReaderWindowTest : public ReaderFixture {};

QUrl Page(const std::string& name) {
    return QUrl(QString::fromStdString(reader::PageAddress(name)));
}

TEST_F(ReaderWindowTest, OpensOnTheIndexPageWithItsPictureAndStyleSheet) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(window->windowTitle(), "The Sailing Handbook");
    EXPECT_FALSE(window->windowIcon().isNull());  // the stub's icon
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));
    EXPECT_TRUE(PageText().contains("Welcome aboard")) << PageText().toStdString();
    // Relative links, pictures and style sheets resolve inside the book, whatever folder
    // the author kept them in.
    eview::PageBrowser* view = window->browser();
    EXPECT_EQ(
        view->loadResource(QTextDocument::ImageResource, QUrl("images/boat.png")).toByteArray(),
        QByteArray::fromStdString(BoatPicture()));
    EXPECT_EQ(
        view->loadResource(QTextDocument::StyleSheetResource, QUrl("css/book.css")).toByteArray(),
        "h1 { color: #1B4F72; }");
    EXPECT_FALSE(view->loadResource(QTextDocument::ImageResource, QUrl("/etc/passwd")).isValid());
    EXPECT_FALSE(
        view->loadResource(QTextDocument::HtmlResource, QUrl("file:///etc/passwd")).isValid());
    EXPECT_FALSE(view->loadResource(QTextDocument::ImageResource, QUrl("__lang.lng")).isValid());

    emit view->anchorClicked(QUrl("knots.htm"));
    EXPECT_EQ(window->currentEntry(), Entry("knots.htm"));
    EXPECT_TRUE(Action("actionBack")->isEnabled());
    Action("actionBack")->trigger();
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));
    Action("actionHome")->trigger();
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ReaderWindowTest, NextAndPreviousFollowTheOrderKeys) {
    ASSERT_TRUE(Open());
    QAction* next = Action("actionNext");
    QAction* previous = Action("actionPrevious");
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_EQ(next->toolTip(), "Next page: Knots");
    std::vector<long> seen = {window->currentEntry()};
    while (next->isEnabled()) {
        next->trigger();
        seen.push_back(window->currentEntry());
    }
    EXPECT_EQ(seen, (std::vector<long>{Entry("index.html"), Entry("knots.htm"), Entry("sails.htm"),
                                       Entry("navigation.htm")}));
    EXPECT_EQ(previous->toolTip(), "Previous page: Sails");
    previous->trigger();
    EXPECT_EQ(window->currentEntry(), Entry("sails.htm"));
}

TEST_F(ReaderWindowTest, NextLoopsWhenTheBookSaysSoAndShowsNoDestinationsWhenItDoesNot) {
    settings.nextPreviousLoop = 1;
    settings.tooltipShowDestinations = 0;
    ASSERT_TRUE(Open());
    QAction* previous = Action("actionPrevious");
    ASSERT_TRUE(previous->isEnabled());
    EXPECT_EQ(previous->toolTip(), "Go to the previous page of the e-book");
    previous->trigger();
    EXPECT_EQ(window->currentEntry(), Entry("navigation.htm"));
    Action("actionNext")->trigger();
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));
}

TEST_F(ReaderWindowTest, SubstitutesVariablesAndReservedNamesInMarkedPages) {
    ASSERT_TRUE(Open());
    const QString text = PageText();
    EXPECT_TRUE(text.contains("Happy reading, Captain Ann!")) << text.toStdString();
    EXPECT_TRUE(text.contains("This is The Sailing Handbook.")) << text.toStdString();
    EXPECT_TRUE(text.contains("Wind < 20 knots & sun")) << text.toStdString();  // kind 1, as text
}

TEST_F(ReaderWindowTest, ReservedNamesTellTheWindowsSizeOnceItIsShown) {
    TestBookFile page{"index.html", "<p>[={clientwidth}] [={p}] [={compileyear}] [={exename}]</p>",
                      ""};
    page.preprocess = 1;
    pages = {page};
    ASSERT_TRUE(Open());
    window->showAsBook();
    const QString expected =
        QString("%1 index.html 2024 sailing").arg(window->browser()->viewport()->width());
    EXPECT_EQ(PageText(), expected);
}

TEST_F(ReaderWindowTest, GeneratesAboutAndContentsInTheBooksColours) {
    ASSERT_TRUE(Open());
    Action("actionAbout")->trigger();
    EXPECT_EQ(Source(), "ebook://system/about");
    QString text = PageText();
    for (const char* part : {"The Sailing Handbook", "Author:", "Ann Bowline", "Harbour Press",
                             "2024-05-17 09:30", "recommended to you by skipper"}) {
        EXPECT_TRUE(text.contains(part)) << part << " in " << text.toStdString();
    }
    EXPECT_TRUE(window->browser()->toHtml().contains("#ffffcc", Qt::CaseInsensitive));

    Action("actionContents")->trigger();
    EXPECT_EQ(Source(), "ebook://system/contents");
    text = PageText();
    EXPECT_TRUE(text.contains("Bowline, reef knot and cleat hitch")) << text.toStdString();
    EXPECT_LT(text.indexOf("Knots"), text.indexOf("Sails"));
    EXPECT_FALSE(text.contains("book.css"));
    emit window->browser()->anchorClicked(Page("sails.htm"));
    EXPECT_EQ(window->currentEntry(), Entry("sails.htm"));
}

TEST_F(ReaderWindowTest, ShowsTheAuthorsOwnPagesOrNoneAsTheBookSays) {
    pages.push_back({"me.htm", "<p>All about me</p>", "Me"});
    settings.aboutPage = 2;
    settings.aboutFile = "me.htm";
    settings.contentsPage = 1;
    ASSERT_TRUE(Open());
    Action("actionAbout")->trigger();
    EXPECT_EQ(window->currentEntry(), Entry("me.htm"));
    EXPECT_EQ(window->findChild<QAction*>("actionContents"), nullptr);
}

TEST_F(ReaderWindowTest, TheContentsButtonListsAtMostTwentyPages) {
    for (int i = 0; i < 25; ++i) {
        TestBookFile page{"extra" + std::to_string(i) + ".htm", "<p>x</p>",
                          "Extra " + std::to_string(i), "0000" + std::to_string(2000 + i)};
        page.inContents = 1;
        pages.push_back(page);
    }
    ASSERT_TRUE(Open());
    auto* list = window->findChild<QMenu*>("contentsList");
    ASSERT_NE(list, nullptr);
    QList<QAction*> items = list->actions();
    ASSERT_EQ(items.size(), 2 + 20);  // "Show the Whole Table Of Contents", a separator, 20
    EXPECT_EQ(items[0]->text(), "Show the Whole &Table Of Contents");
    EXPECT_EQ(items[2]->text(), "Welcome");
    items[3]->trigger();
    EXPECT_EQ(window->currentEntry(), Entry("knots.htm"));
    items[0]->trigger();
    EXPECT_EQ(Source(), "ebook://system/contents");
}

TEST_F(ReaderWindowTest, SearchesWithResultsRankedAndLinked) {
    ASSERT_TRUE(Open());
    Action("actionSearch")->trigger();
    auto* bar = window->findChild<QWidget*>("searchBar");
    auto* field = window->findChild<QLineEdit*>("searchField");
    ASSERT_TRUE(bar && field);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(PageText().contains("Type one or more words"));

    QTest::keyClicks(field, "bowline");
    QTest::keyClick(field, Qt::Key_Return);
    WaitForSearch();
    EXPECT_EQ(Source(), "ebook://system/search?q=bowline");
    QString text = PageText();
    EXPECT_TRUE(text.contains("Pages found for bowline: 1")) << text.toStdString();
    EXPECT_TRUE(text.contains("Knots (100% Match)")) << text.toStdString();
    EXPECT_TRUE(text.contains("Bowline, reef knot and cleat hitch")) << text.toStdString();

    // Words on several pages: every page holding them, best first.
    field->setText("reef");
    QTest::keyClick(field, Qt::Key_Return);
    text = PageText();
    EXPECT_TRUE(text.contains("Pages found for reef: 2")) << text.toStdString();
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("2"));

    field->setText("  ");
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "Please type one or more words to search for.");

    emit window->browser()->anchorClicked(Page("knots.htm"));
    EXPECT_TRUE(bar->isHidden());
    Action("actionBack")->trigger();
    EXPECT_TRUE(PageText().contains("Pages found for reef: 2"));
}

TEST_F(ReaderWindowTest, StopHaltsTheIndexingAndTheNextSearchCarriesOn) {
    for (int i = 0; i < 400; ++i) {
        pages.push_back(
            {"p" + std::to_string(i) + ".htm", std::string(4000, 'w') + " filler", "Filler"});
    }
    ASSERT_TRUE(Open());
    window->startSearch("bowline");
    EXPECT_TRUE(window->searching());
    EXPECT_TRUE(Action("actionStop")->isEnabled());
    Action("actionStop")->trigger();
    EXPECT_FALSE(window->searching());
    EXPECT_FALSE(Action("actionStop")->isEnabled());
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));
    window->startSearch("bowline");
    WaitForSearch();
    EXPECT_TRUE(PageText().contains("Pages found for bowline: 1")) << PageText().toStdString();
}

// The Search page makes the index while the words are typed, without a search to show.
TEST_F(ReaderWindowTest, SearchPageMakesTheIndexAhead) {
    ASSERT_TRUE(Open());
    Action("actionSearch")->trigger();
    EXPECT_FALSE(window->searching());
    EXPECT_FALSE(Action("actionStop")->isEnabled());
    QDeadlineTimer deadline(10000);
    while (!window->searchIndexReady() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_TRUE(window->searchIndexReady());
    EXPECT_TRUE(window->browser()->source().toString().contains("search"));

    window->startSearch("bowline");
    EXPECT_FALSE(window->searching());
    EXPECT_TRUE(PageText().contains("Pages found for bowline: 1")) << PageText().toStdString();
}

TEST_F(ReaderWindowTest, LinksOutsideTheBookGoToTheDesktop) {
    ASSERT_TRUE(Open());
    emit window->browser()->anchorClicked(QUrl("https://sailing.example.com/club"));
    emit window->browser()->anchorClicked(QUrl("mailto:ann@example.com"));
    emit window->browser()->anchorClicked(QUrl("javascript:alert(1)"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].toString(), "https://sailing.example.com/club");
    EXPECT_EQ(opened[1].toString(), "mailto:ann@example.com");
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));

    openerWorks = false;
    emit window->browser()->anchorClicked(QUrl("https://down.example.com/"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].find("Unable to open https://down.example.com/"),
              std::string::npos);
}

TEST_F(ReaderWindowTest, OtherEntriesOpenOutsideAndMissingPagesSaySo) {
    pages.push_back({"chart.pdf", "%PDF-1.4 chart", ""});
    ASSERT_TRUE(Open());
    emit window->browser()->anchorClicked(QUrl("docs/chart.pdf"));
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_TRUE(opened[0].isLocalFile());
    QFile extracted(opened[0].toLocalFile());
    ASSERT_TRUE(extracted.open(QIODevice::ReadOnly));
    EXPECT_EQ(extracted.readAll(), "%PDF-1.4 chart");

    emit window->browser()->anchorClicked(QUrl("lost.htm"));
    EXPECT_TRUE(PageText().contains("The page lost.htm is not part of this e-book."));
    emit window->browser()->anchorClicked(QUrl("boat.png"));
    EXPECT_TRUE(window->browser()->toHtml().contains("boat.png"));
}

TEST_F(ReaderWindowTest, LinksInSubFoldersResolveAgainstTheirPage) {
    pages.push_back(
        {"library/index.html", "<html><title>Library</title>In the library</html>", ""});
    pages.push_back({"library/os.html", "<html><title>os</title>The os module</html>", ""});
    pages.push_back({"_images/x.png", BoatPicture(), ""});
    pages.push_back({"library/files/table.pdf", "%PDF-1.4 table", ""});
    ASSERT_TRUE(Open());
    eview::PageBrowser* view = window->browser();
    emit view->anchorClicked(QUrl("library/os.html"));
    ASSERT_EQ(window->currentEntry(), Entry("library/os.html"));
    EXPECT_EQ(
        view->loadResource(QTextDocument::ImageResource, QUrl("../_images/x.png")).toByteArray(),
        QByteArray::fromStdString(BoatPicture()));
    // The index.html beside this page, not the book's own.
    emit view->anchorClicked(QUrl("index.html"));
    EXPECT_EQ(window->currentEntry(), Entry("library/index.html"));
    EXPECT_TRUE(PageText().contains("In the library"));
    emit view->anchorClicked(QUrl("files/table.pdf"));
    ASSERT_EQ(opened.size(), 1u);
    QFile extracted(opened[0].toLocalFile());
    ASSERT_TRUE(extracted.open(QIODevice::ReadOnly));
    EXPECT_EQ(extracted.readAll(), "%PDF-1.4 table");
    emit view->anchorClicked(QUrl("../index.html"));
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ReaderWindowTest, FindsCopiesAndPrintsToPdf) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(window->findOnPage("knots", false));
    EXPECT_EQ(window->browser()->textCursor().selectedText(), "knots");
    EXPECT_TRUE(window->findOnPage("Welcome", true));  // from the top again
    EXPECT_FALSE(window->findOnPage("WELCOME", true));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "The text \"WELCOME\" was not found on this page.");

    Action("actionSelectAll")->trigger();
    EXPECT_TRUE(Action("actionCopy")->isEnabled());
    Action("actionCopy")->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("Happy reading, Captain Ann!"));

    const std::string pdf = dir.File("page.pdf");
    ASSERT_TRUE(window->printToPdf(QString::fromStdString(pdf)));
    EXPECT_EQ(ReadWholeFile(pdf).substr(0, 5), "%PDF-");
    EXPECT_FALSE(window->printToPdf(QString::fromStdString(dir.File("no/such/folder/x.pdf"))));
    EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(ReaderWindowTest, TextSizeChangesTheFontOfThePage) {
    ASSERT_TRUE(Open());
    const qreal medium = window->browser()->font().pointSizeF();
    Action("actionTextSize0")->trigger();
    EXPECT_GT(window->browser()->font().pointSizeF(), medium);
    Action("actionTextSize4")->trigger();
    EXPECT_LT(window->browser()->font().pointSizeF(), medium);
    EXPECT_TRUE(Action("actionTextSize4")->isChecked());
}

TEST_F(ReaderWindowTest, NoToolbarNoMenuAndAFixedSize) {
    settings.menuShown = 0;
    settings.toolbarInitially = 0;
    settings.toolbarToggle = 0;
    settings.windowResizable = settings.windowResizableCopyA = settings.windowResizableCopyB = 0;
    settings.initialWidth = 640;
    settings.initialHeight = 480;
    ASSERT_TRUE(Open());
    window->showAsBook();
    EXPECT_FALSE(window->menuBar()->isVisible());
    EXPECT_FALSE(window->findChild<QToolBar*>("toolbar")->isVisible());
    EXPECT_FALSE(Action("actionShowToolbar")->isVisible());
    EXPECT_EQ(window->minimumSize(), QSize(640, 480));
    EXPECT_EQ(window->maximumSize(), QSize(640, 480));
    // The keys still work without a menu.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->currentEntry(), Entry("knots.htm"));
}

TEST_F(ReaderWindowTest, ToolbarHoldsTheChosenButtonsWhereTheBookPutsIt) {
    settings.toolbarPosition = 1;
    settings.toolbarLabels = 0;
    settings.toolbarButtons.fill(0);
    settings.toolbarButtons[5] = 1;   // Search
    settings.toolbarButtons[12] = 1;  // About
    settings.nextButton = 1;
    settings.previousButton = 0;
    settings.exitButton = 1;
    settings.tooltipShort = 1;
    settings.statusBarInitially = 0;
    settings.scrollbarsHidden = 1;
    settings.popupMenu = 0;
    ASSERT_TRUE(Open());
    window->showAsBook();
    auto* toolbar = window->findChild<QToolBar*>("toolbar");
    EXPECT_EQ(window->toolBarArea(toolbar), Qt::LeftToolBarArea);
    EXPECT_EQ(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QStringList names;
    for (QAction* a : toolbar->actions()) {
        names << a->objectName();
    }
    EXPECT_EQ(names, QStringList({"actionNext", "actionSearch", "actionAbout", "actionExit"}));
    EXPECT_EQ(Action("actionSearch")->toolTip(), "Search");  // the short tip
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_EQ(window->browser()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(window->browser()->contextMenuPolicy(), Qt::NoContextMenu);
    Action("actionShowStatusBar")->trigger();
    EXPECT_TRUE(window->statusBar()->isVisible());
}

TEST_F(ReaderWindowTest, StatusBarShowsWhereALinkLeadsUnlessTheBookHidesIt) {
    settings.alwaysOnTop = 1;
    ASSERT_TRUE(Open());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    emit window->browser()->highlighted(QUrl("chapters/knots.htm"));
    EXPECT_EQ(window->statusBar()->currentMessage(), "knots.htm");
    emit window->browser()->highlighted(QUrl("https://sailing.example.com/club"));
    EXPECT_EQ(window->statusBar()->currentMessage(), "https://sailing.example.com/club");
    emit window->browser()->highlighted(QUrl());
    EXPECT_EQ(window->statusBar()->currentMessage(), "Done");

    Close();
    settings.statusBarHideDestinations = 1;
    settings.alwaysOnTop = 0;
    ASSERT_TRUE(Open());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    emit window->browser()->highlighted(QUrl("knots.htm"));
    EXPECT_EQ(window->statusBar()->currentMessage(), "Done");
}

TEST_F(ReaderWindowTest, MenusAndButtonsSpeakTheBooksLanguage) {
    language = "Deutsch";
    ASSERT_TRUE(Open());
    EXPECT_EQ(Action("actionPrint")->text(), "&Drucken...\tStrg+P");
    EXPECT_EQ(Action("actionPrint")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(Action("actionNext")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    Action("actionContents")->trigger();
    EXPECT_TRUE(PageText().contains("Inhaltsverzeichnis")) << PageText().toStdString();
}

TEST_F(ReaderWindowTest, RunsTheOnStartProgramOnlyAfterAsking) {
    ASSERT_TRUE(Open());
    EXPECT_FALSE(window->runEventCommand("alert('hello')"));
    EXPECT_TRUE(prompter.questions.empty());
    prompter.answers = {Answer::No, Answer::Yes, Answer::Yes};
    EXPECT_FALSE(window->runEventCommand("##RUN('/bin/true')"));
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_NE(prompter.questions[0].text.find("/bin/true"), std::string::npos);
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_TRUE(window->runEventCommand("##RUN('/bin/true')"));
    EXPECT_FALSE(window->runEventCommand("##RUN('no-such-program')"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].find("Unable to start the program"), std::string::npos);
}

}  // namespace
}  // namespace nbx::test
