#pragma once
// "Edit Icon": the installation option and the e-book's icon, chosen from the icon library
// by category in an icon list of 42 x 42 items, with a preview and "&Refresh". It opens on
// the category of the project's icon. A project icon that is not in the library is kept
// unless another icon is chosen.

#include <QPixmap>
#include <map>

#include "app/dialogs/SettingsDialogBase.h"
#include "appmodel/IconLibrary.h"

class QComboBox;
class QListWidget;

namespace nbx::app {

struct IconValues {
    std::string iconFile;
    std::int32_t installOption = 0;
};

class IconDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    // iconsFolder: the folder whose sub-folders are the categories.
    IconDialog(const IconValues& values, std::string iconsFolder, Prompter& prompter,
               QWidget* parent = nullptr);
    // The previewed icon's path (else the project's own icon kept, else empty) and the
    // selected option.
    IconValues values() const;
    // Rebuilds the library and shows the current category again, keeping the previewed
    // icon when it still exists.
    void Refresh();

private:
    void ShowCategory();
    void Preview(const std::string& path);
    // The category that holds path; the first without one.
    int CategoryOf(const std::string& path) const;

    std::string iconsFolder_;
    IconLibrary library_;
    std::map<std::string, QPixmap> pixmaps_;  // the loaded icons, by path
    std::string previewed_;
    std::string kept_;  // the project's icon outside the library, while none is chosen
    QLabel* keptLabel_ = nullptr;
    QComboBox* install_;
    QLabel* preview_;
    QComboBox* category_;
    QListWidget* icons_;
};

}  // namespace nbx::app
