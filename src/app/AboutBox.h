#pragma once
// The About box: the program's icon, "Nimbrel E-Book" and its version.

#include <QDialog>

namespace nbx::app {

class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace nbx::app
