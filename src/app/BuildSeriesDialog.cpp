#include "app/BuildSeriesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/Prompter.h"
#include "compile/SeriesTexts.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

BuildSeriesDialog::BuildSeriesDialog(const std::vector<std::string>& choices,
                                     const SeriesRequest& remembered, bool projectBuildsRebrander,
                                     Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), request_(remembered) {
    setObjectName("buildSeriesDialog");
    setWindowTitle("Build Series");
    variable_ = new QComboBox(this);
    variable_->setObjectName("seriesVariableCombo");
    for (const auto& name : choices) {
        variable_->addItem(Q(name));
    }
    const int at = variable_->findText(Q(remembered.variable));
    variable_->setCurrentIndex(at >= 0 ? at : 0);
    first_ = new QSpinBox(this);
    first_->setObjectName("seriesFirstSpin");
    first_->setRange(0, 999999);
    first_->setValue(static_cast<int>(std::clamp<std::int64_t>(remembered.first, 0, 999999)));
    last_ = new QSpinBox(this);
    last_->setObjectName("seriesLastSpin");
    last_->setRange(1, 999999);
    last_->setValue(static_cast<int>(std::clamp<std::int64_t>(remembered.last, 1, 999999)));
    rebranders_ = new QCheckBox("Build &Rebranders", this);
    rebranders_->setObjectName("seriesRebrandersCheck");
    rebranders_->setChecked(projectBuildsRebrander);
    rebranders_->setEnabled(projectBuildsRebrander);

    auto* form = new QFormLayout;
    form->addRow("&Variable", variable_);
    form->addRow("&First Value", first_);
    form->addRow("&Last Value", last_);
    form->addRow("", rebranders_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &BuildSeriesDialog::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void BuildSeriesDialog::TryAccept() {
    const std::string problem = CheckSeriesRange(first_->value(), last_->value());
    if (!problem.empty()) {
        prompter_.Show(problem, MessageIcon::Warning);
        first_->setFocus();
        return;
    }
    request_.variable = U(variable_->currentText());
    request_.first = first_->value();
    request_.last = last_->value();
    request_.buildRebranders = rebranders_->isChecked();
    accept();
}

}  // namespace nbx::app
