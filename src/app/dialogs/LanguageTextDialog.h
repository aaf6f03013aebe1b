#pragma once
// CLanguageTextDlg, "Edit Language Text": one value under its purpose. The long form is a
// multi-line field in which Enter confirms and tabs and line breaks show as "\t", "\n" and
// "\r"; the short form is one line edited as it is.

#include <QDialog>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace nbx::app {

class LanguageTextDialog final : public QDialog {
    Q_OBJECT

public:
    LanguageTextDialog(char flag, const std::string& purpose, const std::string& value,
                       QWidget* parent = nullptr);
    // The edited value, converted back for the long form.
    std::string value() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* shortField_ = nullptr;
    QPlainTextEdit* longField_ = nullptr;
};

}  // namespace nbx::app
