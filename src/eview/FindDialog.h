#pragma once
// The Find window: finds text on the page shown. It stays open beside the page; each "Find
// Next" asks the window for the next match.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace nbx::reader {
class ReaderTexts;
}

namespace nbx::eview {

class FindDialog : public QDialog {
    Q_OBJECT

public:
    FindDialog(const reader::ReaderTexts& texts, QWidget* parent);

    QString text() const;
    bool matchCase() const;

signals:
    void findNext();

private:
    QLineEdit* field_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QPushButton* findButton_ = nullptr;
};

}  // namespace nbx::eview
