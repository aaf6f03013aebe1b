#pragma once
// The Rebrander's window: three pages in turn. The start page shows the Rebrander's title
// and start message with "Customize" and "Exit"; "Customize" opens the e-book and lists each
// rebrandable variable with its description and current value in an editor; "Save" writes
// the e-book anew and shows the end message with "View E-Book" and "Exit".

#include <QWidget>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace nbx {

class EBookRebrander;
class Prompter;

class RebranderWindow final : public QWidget {
    Q_OBJECT

public:
    // REQUIRES: rebrander has read its Rebrander (ReadRebrander). Both arguments must
    // outlive the window; messages go through prompter.
    RebranderWindow(EBookRebrander& rebrander, Prompter& prompter, QWidget* parent = nullptr);

    // True once the e-book could not be opened and the window stopped; the program then
    // exits with a failure status.
    bool failed() const { return failed_; }

private:
    void Customize();
    void Save();
    void ViewEBook();
    QWidget* MakeStartPage();
    QWidget* MakeCustomizePage();
    QWidget* MakeEndPage();
    void FillEditors();
    // A page's buttons at its bottom right: action, the default, which runs run, and "Exit".
    QHBoxLayout* ButtonRow(QPushButton* action, void (RebranderWindow::*run)(),
                           const char* exitName);

    struct Editor {
        QWidget* widget = nullptr;
        QString shown;  // the text the editor started with
    };

    EBookRebrander& rebrander_;
    Prompter& prompter_;
    QStackedWidget* pages_ = nullptr;
    QWidget* startPage_ = nullptr;
    QWidget* customizePage_ = nullptr;
    QWidget* endPage_ = nullptr;
    QVBoxLayout* editorsLayout_ = nullptr;
    QLabel* noVariablesLabel_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    std::vector<Editor> editors_;
    bool failed_ = false;
};

}  // namespace nbx
