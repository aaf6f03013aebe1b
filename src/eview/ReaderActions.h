#pragma once
// Every command of the reader window as an action carrying its language texts (menu text
// and accelerator, button label and tool tip), and the menus and toolbar made of them as
// the book's settings ask. Each action is named "action" + its command ("actionNext") for
// tests; the toolbar is "toolbar".

#include <QObject>
#include <array>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;

namespace nbx::reader {
class ReaderBook;
}

namespace nbx::eview {

// The five text sizes, largest first.
inline constexpr int kTextSizes = 5;
inline constexpr int kMediumTextSize = 2;

class ReaderActions : public QObject {
    Q_OBJECT

public:
    // Creates the actions, the menus (left hidden when the book has no menu) and the
    // toolbar in window. The window owns everything made.
    ReaderActions(QMainWindow* window, const reader::ReaderBook& book);

    QAction* back = nullptr;
    QAction* forward = nullptr;
    QAction* stop = nullptr;
    QAction* refresh = nullptr;
    QAction* home = nullptr;
    QAction* next = nullptr;
    QAction* previous = nullptr;
    QAction* contents = nullptr;  // nullptr when the book has no Table Of Contents
    QAction* search = nullptr;
    QAction* copy = nullptr;
    QAction* selectAll = nullptr;
    QAction* find = nullptr;
    QAction* findNext = nullptr;
    QAction* size = nullptr;  // the toolbar's Size button
    QAction* print = nullptr;
    QAction* pageSetup = nullptr;
    QAction* printPdf = nullptr;
    QAction* about = nullptr;  // nullptr when the book has no About page
    QAction* exit = nullptr;
    QAction* showToolbar = nullptr;
    QAction* showStatusBar = nullptr;
    std::array<QAction*, kTextSizes> textSize{};
    QActionGroup* textSizeGroup = nullptr;

    QMenu* sizeMenu = nullptr;
    QMenu* contentsList = nullptr;  // the Contents button's list; nullptr when not wanted
    QToolBar* toolbar = nullptr;

    // The tool tip of Next or Previous: the button's own, or the destination when the book
    // asks for destinations and there is one.
    void setDestinationTips(const QString& nextTitle, const QString& previousTitle);

private:
    QAction* Make(const char* name, int menuKey, int buttonKey);
    void BuildMenus(QMainWindow* window);
    void BuildToolbar(QMainWindow* window);

    const reader::ReaderBook& book_;
    QMainWindow* window_;
    QString nextTip_;
    QString previousTip_;
};

}  // namespace nbx::eview
