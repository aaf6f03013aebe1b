#include "app/dialogs/OutputFileDialog.h"

#include <QFileDialog>

#include "appmodel/OutputFileChoice.h"
#include "qtcommon/FileDialogFilter.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

std::string ChooseOutputFile(QWidget* parent, const QString& title, const std::string& start) {
    const SaveDialogStart where = SaveDialogStartOf(start);
    QFileDialog dialog(parent, title, ToQString(where.folder), QtFileFilter(kOutputFileFilter));
    dialog.setObjectName(QStringLiteral("outputFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Qt's own dialog on every desktop: the same behaviour for a name with a folder in it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!where.name.empty()) {
        dialog.selectFile(ToQString(where.name));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return ToUtf8(dialog.selectedFiles().constFirst());
}

}  // namespace nbx::app
