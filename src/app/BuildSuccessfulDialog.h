#pragma once
// "Build Successful": the built e-book and Rebrander with their sizes, each with a Run
// button. The Rebrander group is left out, and the dialog shortened, when there is none.

#include <QDialog>
#include <string>

namespace nbx {
class Prompter;
}

namespace nbx::app {

class BuildSuccessfulDialog final : public QDialog {
    Q_OBJECT
public:
    // rebranderPath: empty when no Rebrander was built.
    BuildSuccessfulDialog(const std::string& bookPath, const std::string& rebranderPath,
                          Prompter& prompter, QWidget* parent = nullptr);
};

}  // namespace nbx::app
