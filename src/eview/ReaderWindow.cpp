#include "eview/ReaderWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "common/ProgramLauncher.h"
#include "common/Prompter.h"
#include "eview/FindDialog.h"
#include "eview/PageBrowser.h"
#include "eview/ReaderActions.h"
#include "eview/SearchBar.h"
#include "platform/Paths.h"
#include "qtcommon/QtText.h"
#include "reader/BookPages.h"
#include "reader/ReaderBook.h"
#include "reader/RunCommand.h"
#include "reader/StubIcon.h"
#include "reader/SystemPages.h"
#include "reader/WindowPlacement.h"
#include "viewerfiles/TextTemplate.h"

namespace nbx::eview {

namespace {

// How long one turn of the search indexing may hold the event loop.
constexpr qint64 kIndexSliceMs = 30;
constexpr std::size_t kPagesPerCall = 8;
// Room between the window's edge and the page's text.
constexpr qreal kPageMargin = 14;

const double kTextSizeFactors[kTextSizes] = {1.5, 1.25, 1.0, 0.875, 0.75};

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Menu texts treat '&' as the mnemonic mark; a page title shows it as it is.
QString MenuLabel(const std::string& text) {
    return Q(text).replace('&', "&&");
}

}  // namespace

ReaderWindow::ReaderWindow(reader::ReaderBook& book, Prompter& prompter,
                           const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      book_(book),
      prompter_(prompter),
      pages_(std::make_unique<reader::BookPages>(book)) {
    setObjectName("readerWindow");
    const BuildSettings& s = book.settings();
    std::vector<std::string> args;
    for (const QString& a : arguments) {
        args.push_back(U(a));
    }
    context_ = reader::ProcessContext(book.path(), args);
    externalOpener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    const std::string title =
        s.title.empty() ? QFileInfo(Q(book.path())).fileName().toStdString() : s.title;
    setWindowTitle(Q(title));
    const std::string icon = reader::ReadStubIcon(book.path());
    QPixmap iconImage;
    if (!icon.empty() && iconImage.loadFromData(Bytes(icon), "ICO")) {
        setWindowIcon(QIcon(iconImage));
    }
    if (s.alwaysOnTop != 0) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    if (s.tooltipBalloon != 0) {
        setStyleSheet(
            "QToolTip { color: black; background-color: #FFFFE1; "
            "border: 1px solid #767676; border-radius: 6px; padding: 4px; }");
    }

    browser_ = new PageBrowser(this);
    browser_->setObjectName("pageView");
    browser_->setResourceProvider(
        [this](int type, const QUrl& address) { return LoadResource(type, address); });
    if (s.scrollbarsHidden != 0) {
        browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        browser_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    if (s.popupMenu == 0) {
        browser_->setContextMenuPolicy(Qt::NoContextMenu);
    }
    basePointSize_ = browser_->font().pointSizeF();
    browser_->document()->setDocumentMargin(kPageMargin);

    // The search box shows above the Search page.
    const reader::ReaderTexts& texts = book.texts();
    searchBar_ = new SearchBar(texts, this);
    searchBar_->hide();
    connect(searchBar_, &SearchBar::searchRequested, this, &ReaderWindow::startSearch);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(searchBar_);
    layout->addWidget(browser_, 1);
    setCentralWidget(central);

    actions_ = new ReaderActions(this, book);
    statusBar()->setObjectName("statusBar");
    statusBar()->setVisible(s.statusBarInitially != 0);
    actions_->showStatusBar->setChecked(s.statusBarInitially != 0);
    indexTimer_ = new QTimer(this);
    ConnectActions();
    BuildContentsList();

    // Size and place as the book asks.
    QRect free(0, 0, 1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        free = screen->availableGeometry();
    }
    const reader::WindowPlacement place = reader::PlaceWindow(
        s.initialWidth, s.initialHeight, s.initialPosition, s.windowResizable != 0,
        {free.x(), free.y(), free.width(), free.height()});
    resize(place.rect.width, place.rect.height);
    move(place.rect.x, place.rect.y);
    if (place.fixedSize) {
        setFixedSize(place.rect.width, place.rect.height);
    }

    Status(Q(texts.Text(LanguageKey::StatusReady)));
    if (book.order().IndexPage() >= 0) {
        showEntry(book.order().IndexPage());
    }
}

ReaderWindow::~ReaderWindow() = default;

void ReaderWindow::showAsBook() {
    const BuildSettings& s = book_.settings();
    if (s.initialWidth == -1) {
        showMaximized();
    } else if (s.initialWidth == -2) {
        showMinimized();
    } else {
        show();
    }
    // The page was made before the window had its size; one that shows the window's
    // metrics is made again now.
    const long entry = currentEntry();
    if (entry >= 0 && book_.directory()[static_cast<std::size_t>(entry)].preprocess != 0) {
        browser_->reload();
    }
    if (book_.order().IndexPage() < 0) {
        ShowMessage(LanguageKey::MsgNoPages);
    }
}

void ReaderWindow::ConnectActions() {
    ReaderActions& a = *actions_;
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { openAddress(browser_->resolve(link)); });
    connect(browser_, &QTextBrowser::sourceChanged, this, &ReaderWindow::PageShown);
    connect(browser_, &QTextBrowser::backwardAvailable, a.back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, a.forward, &QAction::setEnabled);
    connect(browser_, &QTextEdit::copyAvailable, a.copy, &QAction::setEnabled);
    connect(browser_, &PageBrowser::contextMenuWanted, this, &ReaderWindow::ShowContextMenu);
    connect(browser_, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
            [this](const QUrl& link) {
                if (book_.settings().statusBarHideDestinations != 0) {
                    return;
                }
                if (link.isEmpty()) {
                    Status(Q(book_.texts().Text(LanguageKey::StatusDone)));
                    return;
                }
                const QUrl target = browser_->resolve(link);
                const bool inBook = target.scheme() == Q(reader::kBookScheme);
                Status(inBook ? target.fileName(QUrl::FullyDecoded) : target.toDisplayString());
            });

    connect(a.back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(a.forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(a.stop, &QAction::triggered, this, &ReaderWindow::StopSearch);
    connect(a.refresh, &QAction::triggered, browser_, &QTextBrowser::reload);
    connect(a.home, &QAction::triggered, this, [this] {
        const long index = book_.order().IndexPage();
        if (index < 0) {
            ShowMessage(LanguageKey::MsgNoPages);
        } else {
            showEntry(index);
        }
    });
    connect(a.next, &QAction::triggered, this, [this] {
        showEntry(book_.order().Next(currentEntry(), book_.settings().nextPreviousLoop != 0));
    });
    connect(a.previous, &QAction::triggered, this, [this] {
        showEntry(book_.order().Previous(currentEntry(), book_.settings().nextPreviousLoop != 0));
    });
    if (a.contents) {
        connect(a.contents, &QAction::triggered, this,
                [this] { showSystemPage(reader::SystemPage::Contents); });
    }
    if (a.about) {
        connect(a.about, &QAction::triggered, this,
                [this] { showSystemPage(reader::SystemPage::About); });
    }
    connect(a.search, &QAction::triggered, this, [this] {
        showSystemPage(reader::SystemPage::Search);
        searchBar_->focusWords();
    });
    connect(a.copy, &QAction::triggered, browser_, &QTextEdit::copy);
    connect(a.selectAll, &QAction::triggered, browser_, &QTextEdit::selectAll);
    connect(a.find, &QAction::triggered, this, &ReaderWindow::ShowFindDialog);
    connect(a.findNext, &QAction::triggered, this, [this] {
        if (!findDialog_ || findDialog_->text().isEmpty()) {
            ShowFindDialog();
        } else {
            findOnPage(findDialog_->text(), findDialog_->matchCase());
        }
    });
    connect(a.print, &QAction::triggered, this, &ReaderWindow::PrintPage);
    connect(a.pageSetup, &QAction::triggered, this, [this] {
        if (!printer_) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        }
        QPageSetupDialog dialog(printer_.get(), this);
        dialog.exec();
    });
    connect(a.printPdf, &QAction::triggered, this, [this] {
        const reader::FileTypeText pdf = book_.texts().FileType(LanguageKey::FilterPdf);
        const reader::FileTypeText all = book_.texts().FileType(LanguageKey::FilterAll);
        QFileDialog dialog(this, Q(book_.texts().Text(LanguageKey::TitlePrintPdf)));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters({Q(pdf.description), Q(all.description)});
        dialog.setDefaultSuffix(Q(pdf.suffix));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            printToPdf(dialog.selectedFiles().front());
        }
    });
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.showToolbar, &QAction::toggled, a.toolbar, &QWidget::setVisible);
    connect(a.showStatusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);
    for (int i = 0; i < kTextSizes; ++i) {
        connect(a.textSize[i], &QAction::triggered, this, [this, i] { SetTextSize(i); });
    }
    connect(indexTimer_, &QTimer::timeout, this, &ReaderWindow::IndexStep);
}

void ReaderWindow::BuildContentsList() {
    QMenu* list = actions_->contentsList;
    if (!list) {
        return;
    }
    const reader::ReaderTexts& texts = book_.texts();
    QAction* whole = list->addAction(Q(texts.Menu(LanguageKey::PopupShowContents).text));
    whole->setObjectName("actionShowWholeContents");
    connect(whole, &QAction::triggered, actions_->contents, &QAction::trigger);
    list->addSeparator();
    const std::vector<std::size_t> listed = book_.order().ContentsPages(book_.directory());
    for (std::size_t i = 0; i < listed.size() && i < reader::kContentsPopupLimit; ++i) {
        const long entry = static_cast<long>(listed[i]);
        QAction* item = list->addAction(MenuLabel(reader::PageTitleOf(book_.directory()[entry])));
        connect(item, &QAction::triggered, this, [this, entry] { showEntry(entry); });
    }
}

long ReaderWindow::currentEntry() const {
    return EntryOf(browser_->source());
}

long ReaderWindow::EntryOf(const QUrl& source) const {
    if (source.scheme() != Q(reader::kBookScheme) || source.host() != Q(reader::kPageHost)) {
        return -1;
    }
    return book_.FindLinked(U(source.path(QUrl::FullyDecoded)));
}

void ReaderWindow::openAddress(const QUrl& address) {
    if (address.scheme() == Q(reader::kBookScheme)) {
        if (address.host() == Q(reader::kPageHost)) {
            const long entry = book_.FindLinked(U(address.path(QUrl::FullyDecoded)));
            if (entry >= 0 &&
                reader::ViewOfEntry(book_.directory()[entry].name) == reader::EntryView::Other) {
                OpenEntryOutside(entry);
                return;
            }
        }
        Status(Q(FillTemplate(book_.texts().Text(LanguageKey::StatusLoading),
                              {{"page", U(address.fileName(QUrl::FullyDecoded))}})));
        browser_->setSource(address, QTextDocument::HtmlResource);
        return;
    }
    if (address.scheme() == "javascript" || address.isEmpty()) {
        return;
    }
    if (!externalOpener_(address)) {
        ShowMessage(LanguageKey::MsgOpenLinkFailed, "url", U(address.toDisplayString()));
    }
}

void ReaderWindow::showEntry(long entry) {
    if (entry >= 0 && static_cast<std::size_t>(entry) < book_.directory().size()) {
        openAddress(QUrl(Q(reader::PageAddress(book_.directory()[entry].name))));
    }
}

void ReaderWindow::showSystemPage(reader::SystemPage page) {
    const BuildSettings& s = book_.settings();
    // The author's own page stands in for the generated one when the book says so.
    if (page == reader::SystemPage::About && s.aboutPage == 2) {
        openAddress(QUrl(Q(reader::PageAddress(s.aboutFile))));
    } else if (page == reader::SystemPage::Contents && s.contentsPage == 2) {
        openAddress(QUrl(Q(reader::PageAddress(s.contentsFile))));
    } else {
        openAddress(QUrl(Q(reader::SystemPageAddress(page))));
    }
}

QVariant ReaderWindow::LoadResource(int type, const QUrl& address) {
    if (address.scheme() != Q(reader::kBookScheme)) {
        return {};
    }
    const std::string path = U(address.path(QUrl::FullyDecoded));
    if (type != QTextDocument::HtmlResource) {
        if (address.host() != Q(reader::kPageHost)) {
            return {};
        }
        const std::optional<std::string> bytes = pages_->Resource(path);
        return bytes ? QVariant(Bytes(*bytes)) : QVariant();
    }
    const QUrlQuery query(address);
    std::optional<std::string> words;
    if (query.hasQueryItem("q")) {
        words = U(query.queryItemValue("q", QUrl::FullyDecoded));
    }
    const reader::PageOutcome page = pages_->Html(U(address.host()), path, words, PageContext());
    if (!page.damagedEntry.empty()) {
        // Not from inside the page load: the message box would run while the view is busy.
        QTimer::singleShot(0, this, [this, name = page.damagedEntry] {
            ShowMessage(LanguageKey::MsgPageDamaged, "page", name);
        });
    }
    if (page.found >= 0) {
        const std::string count = std::to_string(page.found);
        Status(Q(FillTemplate(book_.texts().Text(LanguageKey::StatusFound), {{"count", count}})));
    }
    return Bytes(page.html);
}

reader::ReaderContext ReaderWindow::PageContext() const {
    reader::ReaderContext c = context_;
    c.now = platform::LocalNow();
    if (const QScreen* s = screen()) {
        c.screenWidth = s->geometry().width();
        c.screenHeight = s->geometry().height();
    }
    c.clientWidth = browser_->viewport()->width();
    c.clientHeight = browser_->viewport()->height();
    const QRect frame = frameGeometry();
    c.windowWidth = frame.width();
    c.windowHeight = frame.height();
    c.windowX = frame.x();
    c.windowY = frame.y();
    return c;
}

void ReaderWindow::PageShown(const QUrl& source) {
    // The browser's source() still names the page before while it announces this one.
    const bool searchPage =
        source.scheme() == Q(reader::kBookScheme) && source.host() == Q(reader::kSystemHost) &&
        source.path().mid(1) == Q(reader::SystemPageName(reader::SystemPage::Search));
    searchBar_->setVisible(searchPage);
    if (searchPage && !pages_->search().ready() && !indexTimer_->isActive()) {
        // The index is made while the reader types the words, so the search itself is quick.
        indexTimer_->start(0);
    }
    if (searchPage) {
        const QUrlQuery query(source);
        if (query.hasQueryItem("q")) {
            searchBar_->setWords(query.queryItemValue("q", QUrl::FullyDecoded));
        }
    } else {
        Status(Q(book_.texts().Text(LanguageKey::StatusDone)));
    }
    const bool loop = book_.settings().nextPreviousLoop != 0;
    const long entry = EntryOf(source);
    const long next = book_.order().Next(entry, loop);
    const long previous = book_.order().Previous(entry, loop);
    actions_->next->setEnabled(next >= 0);
    actions_->previous->setEnabled(previous >= 0);
    auto title = [this](long e) {
        return e < 0 ? QString() : Q(reader::PageTitleOf(book_.directory()[e]));
    };
    actions_->setDestinationTips(title(next), title(previous));
}

void ReaderWindow::startSearch(const QString& query) {
    if (!reader::HasSearchWords(U(query))) {
        ShowMessage(LanguageKey::MsgNoSearchWords);
        return;
    }
    pendingQuery_ = query;
    if (pages_->search().ready()) {
        openAddress(QUrl(Q(reader::SearchAddress(U(query)))));
        return;
    }
    Status(Q(book_.texts().Text(LanguageKey::StatusSearching)));
    actions_->stop->setEnabled(true);
    indexTimer_->start(0);
}

bool ReaderWindow::searchIndexReady() const {
    return pages_->search().ready();
}

bool ReaderWindow::searching() const {
    return indexTimer_->isActive() && !pendingQuery_.isEmpty();
}

void ReaderWindow::IndexStep() {
    QElapsedTimer slice;
    slice.start();
    const reader::ReaderContext context = PageContext();
    while (!pages_->search().IndexMore(kPagesPerCall, context)) {
        if (slice.elapsed() >= kIndexSliceMs) {
            return;
        }
    }
    indexTimer_->stop();
    if (pendingQuery_.isEmpty()) {
        return;  // made ahead of a search
    }
    actions_->stop->setEnabled(false);
    openAddress(QUrl(Q(reader::SearchAddress(U(pendingQuery_)))));
}

void ReaderWindow::StopSearch() {
    if (!searching()) {
        return;
    }
    // What was indexed stays; the next search carries on from there.
    indexTimer_->stop();
    actions_->stop->setEnabled(false);
    pendingQuery_.clear();
    Status(Q(book_.texts().Text(LanguageKey::StatusReady)));
}

void ReaderWindow::OpenEntryOutside(long entry) {
    const DirectoryEntry& e = book_.directory()[static_cast<std::size_t>(entry)];
    if (!extracted_) {
        extracted_ = std::make_unique<QTemporaryDir>();
    }
    // An entry whose name is not a plain path below the book's folder stays inside the book.
    std::string bytes;
    if (!platform::IsPlainRelativePath(e.name) || !extracted_->isValid() ||
        !book_.ReadEntry(static_cast<std::size_t>(entry), bytes)) {
        ShowMessage(LanguageKey::MsgPageDamaged, "page", e.name);
        return;
    }
    const QString path = extracted_->filePath(Q(e.name));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(Bytes(bytes)) != static_cast<qint64>(bytes.size())) {
        ShowMessage(LanguageKey::MsgSaveFailed, "file", U(path));
        return;
    }
    file.close();
    const QUrl url = QUrl::fromLocalFile(path);
    if (!externalOpener_(url)) {
        ShowMessage(LanguageKey::MsgOpenLinkFailed, "url", U(url.toDisplayString()));
    }
}

void ReaderWindow::ShowContextMenu(const QPoint& globalPos, const QString& anchor) {
    const reader::ReaderTexts& texts = book_.texts();
    QMenu menu(this);
    menu.setObjectName("pagePopupMenu");
    if (!anchor.isEmpty()) {
        const QUrl target = browser_->resolve(QUrl(anchor));
        QAction* open = menu.addAction(Q(texts.Menu(LanguageKey::PopupOpenLink).text));
        connect(open, &QAction::triggered, this, [this, target] { openAddress(target); });
        QAction* copyLink = menu.addAction(Q(texts.Menu(LanguageKey::PopupCopyLinkAddress).text));
        connect(copyLink, &QAction::triggered, this,
                [target] { QApplication::clipboard()->setText(target.toString()); });
        menu.addSeparator();
    }
    menu.addAction(actions_->back);
    menu.addAction(actions_->forward);
    menu.addSeparator();
    menu.addAction(actions_->copy);
    menu.addAction(actions_->selectAll);
    menu.addSeparator();
    menu.addAction(actions_->print);
    menu.exec(globalPos);
}

void ReaderWindow::SetTextSize(int size) {
    QFont font = browser_->font();
    font.setPointSizeF(basePointSize_ * kTextSizeFactors[size]);
    browser_->setFont(font);
    actions_->textSize[size]->setChecked(true);
}

void ReaderWindow::ShowFindDialog() {
    if (!findDialog_) {
        findDialog_ = new FindDialog(book_.texts(), this);
        connect(findDialog_, &FindDialog::findNext, this,
                [this] { findOnPage(findDialog_->text(), findDialog_->matchCase()); });
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

bool ReaderWindow::findOnPage(const QString& text, bool matchCase) {
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) {
        return true;
    }
    const QTextCursor before = browser_->textCursor();
    QTextCursor top(browser_->document());
    browser_->setTextCursor(top);
    if (browser_->find(text, flags)) {
        return true;
    }
    browser_->setTextCursor(before);
    ShowMessage(LanguageKey::MsgTextNotFound, "text", U(text));
    return false;
}

void ReaderWindow::PrintPage() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    browser_->print(printer_.get());
    if (printer_->printerState() == QPrinter::Error) {
        ShowMessage(LanguageKey::MsgPrintFailed);
    }
}

bool ReaderWindow::printToPdf(const QString& path) {
    QFile::remove(path);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    browser_->print(&pdf);
    if (pdf.printerState() == QPrinter::Error || QFileInfo(path).size() <= 0) {
        ShowMessage(LanguageKey::MsgSaveFailed, "file", U(path));
        return false;
    }
    return true;
}

bool ReaderWindow::runEventCommand(const std::string& text) {
    const std::string folder = QFileInfo(Q(book_.path())).absolutePath().toStdString();
    const std::string program = reader::RunCommandProgram(text, folder);
    if (program.empty()) {
        return false;
    }
    const std::string question =
        FillTemplate(book_.texts().Text(LanguageKey::MsgRunProgram), {{"program", program}});
    if (prompter_.Ask(question, Buttons::YesNo, Answer::No, MessageIcon::Question) != Answer::Yes) {
        return false;
    }
    if (StartProgram(program) <= 31) {
        ShowMessage(LanguageKey::MsgRunProgramFailed, "program", program);
        return false;
    }
    return true;
}

void ReaderWindow::setExternalOpener(std::function<bool(const QUrl&)> opener) {
    externalOpener_ = std::move(opener);
}

void ReaderWindow::closeEvent(QCloseEvent* event) {
    StopSearch();
    runEventCommand(book_.settings().onExit);
    event->accept();
}

void ReaderWindow::ShowMessage(LanguageKey key, std::string_view placeholder,
                               const std::string& value) {
    std::string text = book_.texts().Text(key);
    if (!placeholder.empty()) {
        text = FillTemplate(text, {{placeholder, value}});
    }
    prompter_.Show(text, MessageIcon::Warning);
}

void ReaderWindow::Status(const QString& text) {
    statusBar()->showMessage(text);
}

}  // namespace nbx::eview
