#pragma once
// The save-file dialog of an output program: titled by the caller, every file shown first,
// no ending added, a question before an existing file is replaced, and opened where the
// path lies (see OutputFileChoice.h), so Save keeps a path whose folder is still missing.

#include <QString>
#include <string>

class QWidget;

namespace nbx::app {

// The chosen path, or empty when the person cancelled.
std::string ChooseOutputFile(QWidget* parent, const QString& title, const std::string& start);

}  // namespace nbx::app
