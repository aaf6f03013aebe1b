#pragma once
// BuildSeriesDialog: the series variable (kinds 0 and 1), the first and last numbers and
// whether Rebranders are built. It opens with the choices remembered from the last run.
//
// Entry point for the Build Series command, after PrepareSeriesCommand and
// MeasureSeriesBuild: RunBuildSeriesDialog(project, session, prompter, mainWindow); on a request,
// RunSeries(project, ui, perBuild, *request, builders) with ui.series pointing at a
// ProgressWindow owned by the main window (ProgressWindow.h).

#include <optional>

#include "app/dialogs/SettingsDialogBase.h"
#include "compile/BuildSeries.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace nbx::app {

class BuildSeriesDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    // REQUIRES: variables is not empty.
    BuildSeriesDialog(const std::vector<std::string>& variables, const SeriesRequest& start,
                      bool rebranderEnabled, Prompter& prompter, QWidget* parent = nullptr);
    // The request as chosen; valid after OK.
    const SeriesRequest& request() const { return request_; }

protected:
    bool Validate() override;

private:
    SeriesRequest request_;
    QComboBox* variable_;
    QLineEdit* first_;
    QLineEdit* last_;
    QCheckBox* rebranders_;
};

// Shows the dialog for the project, opened on the choices the session remembers. With no
// variable of kind 0 or 1 shows the no-variable message and returns nothing; on OK remembers
// the choices in the session and returns them.
std::optional<SeriesRequest> RunBuildSeriesDialog(const Project& project, BuildSession& session,
                                                  Prompter& prompter, QWidget* parent);

}  // namespace nbx::app
