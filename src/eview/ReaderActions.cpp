#include "eview/ReaderActions.h"

#include <QAction>
#include <QActionGroup>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include "qtcommon/QtText.h"
#include "reader/ReaderBook.h"
#include "viewerfiles/TextTemplate.h"

namespace nbx::eview {

namespace {

using toolbar::ToolbarButton;

constexpr int kNoKey = 0;

int Key(LanguageKey key) {
    return KeyNumber(key);
}

QIcon ButtonIcon(const ToolbarFile* file, const QImage& strip, ToolbarButton button) {
    if (!file || strip.isNull()) {
        return {};
    }
    const int cell = file->CellOf(button);
    if (cell < 0) {
        return {};
    }
    const int w = static_cast<int>(file->cellWidth);
    const int h = static_cast<int>(file->cellHeight);
    return QIcon(QPixmap::fromImage(strip.copy(cell * w, 0, w, h)));
}

}  // namespace

ReaderActions::ReaderActions(QMainWindow* window, const reader::ReaderBook& book)
    : QObject(window), book_(book), window_(window) {
    const BuildSettings& s = book.settings();
    back = Make("actionBack", Key(LanguageKey::MenuGoBack), Key(LanguageKey::ButtonBack));
    forward =
        Make("actionForward", Key(LanguageKey::MenuGoForward), Key(LanguageKey::ButtonForward));
    stop = Make("actionStop", Key(LanguageKey::MenuGoStop), Key(LanguageKey::ButtonStop));
    refresh =
        Make("actionRefresh", Key(LanguageKey::MenuGoRefresh), Key(LanguageKey::ButtonRefresh));
    home = Make("actionHome", Key(LanguageKey::MenuGoHome), Key(LanguageKey::ButtonHome));
    next = Make("actionNext", Key(LanguageKey::MenuGoNext), Key(LanguageKey::ButtonNext));
    previous =
        Make("actionPrevious", Key(LanguageKey::MenuGoPrevious), Key(LanguageKey::ButtonPrevious));
    if (s.contentsPage != 1) {
        contents = Make("actionContents", Key(LanguageKey::MenuGoContents),
                        Key(LanguageKey::ButtonContents));
    }
    search = Make("actionSearch", Key(LanguageKey::MenuGoSearch), Key(LanguageKey::ButtonSearch));
    copy = Make("actionCopy", Key(LanguageKey::MenuEditCopy), Key(LanguageKey::ButtonCopy));
    selectAll = Make("actionSelectAll", Key(LanguageKey::MenuEditSelectAll), kNoKey);
    find = Make("actionFind", Key(LanguageKey::MenuEditFind), Key(LanguageKey::ButtonFind));
    findNext = Make("actionFindNext", Key(LanguageKey::MenuEditFindNext), kNoKey);
    size = Make("actionSize", kNoKey, Key(LanguageKey::ButtonSize));
    print = Make("actionPrint", Key(LanguageKey::MenuFilePrint), Key(LanguageKey::ButtonPrint));
    pageSetup = Make("actionPageSetup", Key(LanguageKey::MenuFilePageSetup), kNoKey);
    printPdf = Make("actionPrintPdf", Key(LanguageKey::MenuFilePrintPdf), kNoKey);
    if (s.aboutPage != 1) {
        about = Make("actionAbout", Key(LanguageKey::MenuHelpAbout), Key(LanguageKey::ButtonAbout));
    }
    exit = Make("actionExit", Key(LanguageKey::MenuFileExit), Key(LanguageKey::ButtonExit));
    showToolbar = Make("actionShowToolbar", Key(LanguageKey::MenuViewToolbar), kNoKey);
    showToolbar->setCheckable(true);
    showToolbar->setVisible(s.toolbarToggle != 0);
    showStatusBar = Make("actionShowStatusBar", Key(LanguageKey::MenuViewStatusBar), kNoKey);
    showStatusBar->setCheckable(true);
    showStatusBar->setVisible(s.statusBarToggle != 0);

    textSizeGroup = new QActionGroup(this);
    const LanguageKey sizeKeys[kTextSizes] = {
        LanguageKey::MenuViewSizeLargest, LanguageKey::MenuViewSizeLarger,
        LanguageKey::MenuViewSizeMedium, LanguageKey::MenuViewSizeSmaller,
        LanguageKey::MenuViewSizeSmallest};
    for (int i = 0; i < kTextSizes; ++i) {
        textSize[i] =
            Make(qPrintable(QString("actionTextSize%1").arg(i)), Key(sizeKeys[i]), kNoKey);
        textSize[i]->setCheckable(true);
        textSizeGroup->addAction(textSize[i]);
    }
    textSize[kMediumTextSize]->setChecked(true);

    stop->setEnabled(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    copy->setEnabled(false);

    BuildMenus(window);
    BuildToolbar(window);
}

QAction* ReaderActions::Make(const char* name, int menuKey, int buttonKey) {
    const reader::ReaderTexts& texts = book_.texts();
    auto* action = new QAction(window_);
    action->setObjectName(name);
    if (menuKey != kNoKey) {
        const reader::MenuText menu = texts.Menu(static_cast<LanguageKey>(menuKey));
        // A menu shows the language's own accelerator text after the tab; the key itself
        // is the portable reading of it.
        action->setText(menu.accelerator.empty() ? Q(menu.text)
                                                 : Q(menu.text) + '\t' + Q(menu.accelerator));
        if (!menu.accelerator.empty()) {
            action->setShortcut(QKeySequence::fromString(
                Q(reader::PortableAccelerator(menu.accelerator)), QKeySequence::PortableText));
        }
    }
    if (buttonKey != kNoKey) {
        const reader::ButtonText button = book_.texts().Button(static_cast<LanguageKey>(buttonKey));
        const bool shortTips = book_.settings().tooltipShort != 0;
        action->setIconText(Q(button.label));
        action->setToolTip(shortTips ? Q(button.label) : Q(button.tip));
        action->setStatusTip(Q(button.tip));
        if (menuKey == kNoKey) {
            action->setText(Q(button.label));
        }
    }
    // Shortcuts work with the menu hidden too.
    window_->addAction(action);
    return action;
}

void ReaderActions::BuildMenus(QMainWindow* window) {
    const reader::ReaderTexts& texts = book_.texts();
    QMenuBar* bar = window->menuBar();
    bar->setObjectName("menuBar");
    auto title = [&](LanguageKey key) { return Q(texts.Menu(key).text); };

    QMenu* file = bar->addMenu(title(LanguageKey::MenuFile));
    file->setObjectName("menuFile");
    file->addAction(print);
    file->addAction(pageSetup);
    file->addAction(printPdf);
    file->addSeparator();
    file->addAction(exit);

    QMenu* edit = bar->addMenu(title(LanguageKey::MenuEdit));
    edit->setObjectName("menuEdit");
    edit->addAction(copy);
    edit->addAction(selectAll);
    edit->addSeparator();
    edit->addAction(find);
    edit->addAction(findNext);

    QMenu* view = bar->addMenu(title(LanguageKey::MenuView));
    view->setObjectName("menuView");
    view->addAction(showToolbar);
    view->addAction(showStatusBar);
    view->addSeparator();
    sizeMenu = view->addMenu(title(LanguageKey::MenuViewTextSize));
    sizeMenu->setObjectName("menuTextSize");
    for (QAction* a : textSize) {
        sizeMenu->addAction(a);
    }

    QMenu* go = bar->addMenu(title(LanguageKey::MenuGo));
    go->setObjectName("menuGo");
    go->addAction(back);
    go->addAction(forward);
    go->addAction(stop);
    go->addAction(refresh);
    go->addSeparator();
    go->addAction(home);
    go->addAction(previous);
    go->addAction(next);
    go->addSeparator();
    if (contents) {
        go->addAction(contents);
    }
    go->addAction(search);

    if (about) {
        QMenu* help = bar->addMenu(title(LanguageKey::MenuHelp));
        help->setObjectName("menuHelp");
        help->addAction(about);
    }
    bar->setVisible(book_.settings().menuShown != 0);
}

void ReaderActions::BuildToolbar(QMainWindow* window) {
    const BuildSettings& s = book_.settings();
    toolbar = new QToolBar(window);
    toolbar->setObjectName("toolbar");
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    const ToolbarFile* file = book_.toolbar();
    // Without pictures the buttons show their labels, whatever the book asks.
    toolbar->setToolButtonStyle(!file                  ? Qt::ToolButtonTextOnly
                                : s.toolbarLabels != 0 ? Qt::ToolButtonTextUnderIcon
                                                       : Qt::ToolButtonIconOnly);
    QImage strip;
    if (file) {
        strip.loadFromData(reinterpret_cast<const uchar*>(file->png.data()),
                           static_cast<int>(file->png.size()), "PNG");
        toolbar->setIconSize(
            QSize(static_cast<int>(file->cellWidth), static_cast<int>(file->cellHeight)));
    }
    auto flag = [&](ToolbarButton b) { return s.toolbarButtons[static_cast<std::size_t>(b)] != 0; };
    struct Button {
        QAction* action;
        ToolbarButton image;
        bool present;
    };
    // The order of the buttons in the author's list of switches.
    const Button buttons[] = {
        {back, ToolbarButton::Back, flag(ToolbarButton::Back)},
        {forward, ToolbarButton::Forward, flag(ToolbarButton::Forward)},
        {previous, ToolbarButton::Previous, s.previousButton != 0},
        {next, ToolbarButton::Next, s.nextButton != 0},
        {stop, ToolbarButton::Stop, flag(ToolbarButton::Stop)},
        {refresh, ToolbarButton::Refresh, flag(ToolbarButton::Refresh)},
        {home, ToolbarButton::Home, flag(ToolbarButton::Home)},
        {search, ToolbarButton::Search, flag(ToolbarButton::Search)},
        {contents, ToolbarButton::Contents, flag(ToolbarButton::Contents)},
        {copy, ToolbarButton::Copy, flag(ToolbarButton::Copy)},
        {find, ToolbarButton::Find, flag(ToolbarButton::Find)},
        {size, ToolbarButton::Size, flag(ToolbarButton::Size)},
        {print, ToolbarButton::Print, flag(ToolbarButton::Print)},
        {about, ToolbarButton::About, flag(ToolbarButton::About)},
        {exit, ToolbarButton::Exit, s.exitButton != 0},
    };
    for (const Button& b : buttons) {
        if (!b.action) {
            continue;
        }
        b.action->setIcon(ButtonIcon(file, strip, b.image));
        // Menus show no pictures, as the language's menu texts stand alone.
        b.action->setIconVisibleInMenu(false);
        if (b.present) {
            toolbar->addAction(b.action);
        }
    }
    if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(size))) {
        button->setMenu(sizeMenu);
        button->setPopupMode(QToolButton::InstantPopup);
    }
    if (contents && s.contentsPopupList != 0) {
        contentsList = new QMenu(window);
        contentsList->setObjectName("contentsList");
        if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(contents))) {
            button->setMenu(contentsList);
            button->setPopupMode(QToolButton::InstantPopup);
        }
    }
    const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::LeftToolBarArea, Qt::RightToolBarArea,
                                     Qt::BottomToolBarArea};
    const int position = s.toolbarPosition >= 0 && s.toolbarPosition <= 3 ? s.toolbarPosition : 0;
    window->addToolBar(areas[position], toolbar);
    toolbar->setVisible(s.toolbarInitially != 0);
    showToolbar->setChecked(s.toolbarInitially != 0);
}

void ReaderActions::setDestinationTips(const QString& nextTitle, const QString& previousTitle) {
    if (nextTip_.isEmpty()) {
        nextTip_ = next->toolTip();
        previousTip_ = previous->toolTip();
    }
    const bool show = book_.settings().tooltipShowDestinations != 0;
    const reader::ReaderTexts& texts = book_.texts();
    auto tip = [&](LanguageKey key, const QString& title, const QString& own) {
        if (!show || title.isEmpty()) {
            return own;
        }
        const std::string page = U(title);
        QString text = Q(FillTemplate(texts.Text(key), {{"page", page}}));
        // A tip that looks like markup would be drawn as markup; a title is plain text.
        if (Qt::mightBeRichText(text)) {
            text = "<qt>" + text.toHtmlEscaped() + "</qt>";
        }
        return text;
    };
    next->setToolTip(tip(LanguageKey::TipNextPage, nextTitle, nextTip_));
    previous->setToolTip(tip(LanguageKey::TipPreviousPage, previousTitle, previousTip_));
}

}  // namespace nbx::eview
