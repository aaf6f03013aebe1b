#include "app/dialogs/BuildSeriesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "appmodel/BuildSeriesRules.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

BuildSeriesDialog::BuildSeriesDialog(const std::vector<std::string>& variables,
                                     const SeriesRequest& start, bool rebranderEnabled,
                                     Prompter& prompter, QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Build Series"), prompter, parent), request_(start) {
    variable_ = new QComboBox(this);
    variable_->setObjectName(QStringLiteral("variable"));
    for (const std::string& name : variables) {
        variable_->addItem(ToQString(name));
    }
    const auto found = std::find(variables.begin(), variables.end(), start.variable);
    variable_->setCurrentIndex(
        found == variables.end() ? 0 : static_cast<int>(found - variables.begin()));
    first_ = new QLineEdit(QString::number(start.first), this);
    first_->setObjectName(QStringLiteral("first"));
    first_->setMaxLength(10);
    last_ = new QLineEdit(QString::number(start.last), this);
    last_->setObjectName(QStringLiteral("last"));
    last_->setMaxLength(10);
    rebranders_ = new QCheckBox(QStringLiteral("Build &Rebranders"), this);
    rebranders_->setObjectName(QStringLiteral("buildRebranders"));
    rebranders_->setChecked(start.buildRebranders);
    rebranders_->setEnabled(rebranderEnabled);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("Series &Variable"), variable_), 0, 0);
    grid->addWidget(variable_, 0, 1);
    grid->addWidget(label(QStringLiteral("&First Value"), first_), 1, 0);
    grid->addWidget(first_, 1, 1);
    grid->addWidget(label(QStringLiteral("&Last Value"), last_), 2, 0);
    grid->addWidget(last_, 2, 1);
    grid->addWidget(rebranders_, 3, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 220);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons());
}

bool BuildSeriesDialog::Validate() {
    SeriesNumbers numbers;
    if (const auto failure =
            CheckSeriesNumbers(ToUtf8(first_->text()), ToUtf8(last_->text()), numbers)) {
        Refuse(failure->message, failure->field == SeriesField::First ? first_ : last_);
        return false;
    }
    request_.variable = ToUtf8(variable_->currentText());
    request_.first = numbers.first;
    request_.last = numbers.last;
    request_.buildRebranders = rebranders_->isChecked();
    return true;
}

std::optional<SeriesRequest> RunBuildSeriesDialog(const Project& project, BuildSession& session,
                                                  Prompter& prompter, QWidget* parent) {
    const std::vector<std::string> variables = SeriesVariableChoices(project);
    if (variables.empty()) {
        prompter.Show(NoSeriesVariableMessage(), MessageIcon::Warning);
        return std::nullopt;
    }
    SeriesRequest start = session.seriesRequest;
    start.buildRebranders = project.buildRebrander;
    BuildSeriesDialog dialog(variables, start, project.buildRebrander, prompter, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    session.seriesRequest = dialog.request();
    return dialog.request();
}

}  // namespace nbx::app
