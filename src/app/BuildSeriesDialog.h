#pragma once
// The Build Series dialog: which variable numbers the series, the first and last numbers,
// and whether Rebranders are built too.

#include <QDialog>
#include <string>
#include <vector>

#include "compile/BuildSession.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace nbx {
class Prompter;
}

namespace nbx::app {

class BuildSeriesDialog final : public QDialog {
    Q_OBJECT
public:
    // choices: the variables a series can number; remembered: the last request.
    BuildSeriesDialog(const std::vector<std::string>& choices, const SeriesRequest& remembered,
                      bool projectBuildsRebrander, Prompter& prompter, QWidget* parent = nullptr);

    const SeriesRequest& Request() const { return request_; }

private:
    void TryAccept();

    Prompter& prompter_;
    SeriesRequest request_;
    QComboBox* variable_ = nullptr;
    QSpinBox* first_ = nullptr;
    QSpinBox* last_ = nullptr;
    QCheckBox* rebranders_ = nullptr;
};

}  // namespace nbx::app
