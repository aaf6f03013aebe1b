#pragma once
// CLanguageNameDlg, "Select Name for File": the name a language is saved under. OK is enabled
// only while the trimmed name is not empty; its checks are CheckLanguageName's.

#include <QDialog>
#include <string>

#include "common/Prompter.h"

class QLineEdit;
class QPushButton;

namespace nbx::app {

class LanguageNameDialog final : public QDialog {
    Q_OBJECT

public:
    LanguageNameDialog(std::string startName, Prompter& prompter, QWidget* parent = nullptr);
    std::string name() const;
    void accept() override;

private:
    std::string startName_;
    Prompter& prompter_;
    QLineEdit* name_;
    QPushButton* ok_;
};

}  // namespace nbx::app
