#pragma once
// CLanguagePartsDlg, "Edit Language Text": a D, L or T value in its two fields. OK joins
// them with JoinTwoPart; a refusal shows its message and keeps the dialog open.

#include <QDialog>
#include <string>

#include "common/Prompter.h"
#include "viewerfiles/LanguageValueEdit.h"

class QLineEdit;

namespace nbx::app {

class LanguagePartsDialog final : public QDialog {
    Q_OBJECT

public:
    LanguagePartsDialog(char flag, const std::string& purpose, const std::string& value,
                        Prompter& prompter, QWidget* parent = nullptr);
    const std::string& value() const { return value_; }
    void accept() override;

private:
    Prompter& prompter_;
    TwoPartFields fields_;
    QLineEdit* first_;
    QLineEdit* second_;
    std::string value_;
};

}  // namespace nbx::app
