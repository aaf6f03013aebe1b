#pragma once
// The reader's main window: the page view with the menus, toolbar and status bar that the
// book asks for. Every page, picture and style sheet comes from the book; links to other
// places go to the desktop's own programs.

#include <QMainWindow>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

#include "reader/BookLinks.h"
#include "reader/BookValues.h"
#include "viewerfiles/LanguageKeys.h"

class QPrinter;
class QTemporaryDir;
class QTimer;

namespace nbx {
class Prompter;
}

namespace nbx::reader {
class BookPages;
class PictureBudget;
class ReaderBook;
enum class LeaveKind;
}  // namespace nbx::reader

namespace nbx::eview {

class FindDialog;
class PageBrowser;
class ReaderActions;
class SearchBar;

class ReaderWindow : public QMainWindow {
    Q_OBJECT

public:
    // book: open, and outliving the window. prompter: shows the window's messages and asks
    // its questions. arguments: the program's command line after its name. The window is
    // sized and placed as the book asks, and shows the index page; it is not shown yet.
    ReaderWindow(reader::ReaderBook& book, Prompter& prompter, const QStringList& arguments,
                 QWidget* parent = nullptr);
    ~ReaderWindow() override;

    // Shows the window normal, maximized or minimized, as the book asks.
    void showAsBook();

    PageBrowser* browser() const { return browser_; }
    ReaderActions* actions() const { return actions_; }

    // The directory position of the page shown; -1 for a generated page.
    long currentEntry() const;

    // Follows an address: pages of the book are shown; other entries, and addresses of other
    // schemes, are handed to the desktop (the external opener) after the reader has asked in
    // its own words; files of this computer are refused with a message.
    void openAddress(const QUrl& address);
    void showEntry(long entry);
    void showSystemPage(reader::SystemPage page);

    // Searches the book; the index is built first, a few pages per turn of the event loop,
    // and the results page follows when it is done. A query without words gets a message.
    // Showing the Search page starts the index ahead of the search.
    void startSearch(const QString& query);
    bool searching() const;
    bool searchIndexReady() const;

    // Finds text on the page from the cursor, starting again from the top once. False with
    // a message when the page does not hold it.
    bool findOnPage(const QString& text, bool matchCase);

    // Writes the page shown to a PDF file. False with a message when it can't.
    bool printToPdf(const QString& path);

    // An "On Start" or "On Exit" text: "##RUN('program')" asks (in the reader's own words,
    // naming the program), then starts the program;
    // anything else does nothing. True when a program was started.
    bool runEventCommand(const std::string& text);

    // Where addresses outside the book go; false when nothing could open one. Default: the
    // desktop's handler.
    void setExternalOpener(std::function<bool(const QUrl&)> opener);

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void ConnectActions();
    void BuildContentsList();
    QVariant LoadResource(int type, const QUrl& address);
    reader::ReaderContext PageContext() const;
    long EntryOf(const QUrl& source) const;
    void PageShown(const QUrl& source);
    void IndexStep();
    void StopSearch();
    void OpenEntryOutside(long entry);
    // The reader's own question before what leaves it; true when the reader said yes.
    bool AskBeforeLeaving(reader::LeaveKind kind, const std::string& what);
    // The wait cursor while a search makes its index.
    void SetSearchBusy(bool busy);
    void ShowContextMenu(const QPoint& globalPos, const QString& anchor);
    void SetTextSize(int size);
    void ShowFindDialog();
    void PrintPage();
    void ShowMessage(LanguageKey key, std::string_view placeholder = {},
                     const std::string& value = {});
    void Status(const QString& text);

    reader::ReaderBook& book_;
    Prompter& prompter_;
    std::unique_ptr<reader::BookPages> pages_;
    std::unique_ptr<reader::PictureBudget> pictureBudget_;  // the pictures of the page loaded
    bool searchBusy_ = false;
    reader::ReaderContext context_;
    PageBrowser* browser_ = nullptr;
    ReaderActions* actions_ = nullptr;
    SearchBar* searchBar_ = nullptr;
    FindDialog* findDialog_ = nullptr;
    QTimer* indexTimer_ = nullptr;
    QString pendingQuery_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTemporaryDir> extracted_;
    std::function<bool(const QUrl&)> externalOpener_;
    qreal basePointSize_ = 0;
};

}  // namespace nbx::eview
