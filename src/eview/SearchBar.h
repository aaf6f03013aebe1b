#pragma once
// The search box above the Search page: "Search for:", the words, and the Search button.
// Enter or the button asks for a search (searchRequested).

#include <QWidget>

class QLineEdit;

namespace nbx::reader {
class ReaderTexts;
}

namespace nbx::eview {

class SearchBar : public QWidget {
    Q_OBJECT

public:
    SearchBar(const reader::ReaderTexts& texts, QWidget* parent);

    QString words() const;
    void setWords(const QString& words);
    // Puts the cursor in the box with its words selected.
    void focusWords();

signals:
    void searchRequested(const QString& words);

private:
    QLineEdit* field_ = nullptr;
};

}  // namespace nbx::eview
