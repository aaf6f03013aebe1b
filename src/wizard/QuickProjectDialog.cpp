#include "wizard/QuickProjectDialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/Clock.h"
#include "platform/ExecutablePath.h"
#include "qtcommon/FieldMarker.h"
#include "qtcommon/FolderChooserDialog.h"
#include "qtcommon/QtText.h"
#include "wizard/ProjectWizard.h"
#include "wizard/core/InstructionTexts.h"
#include "wizard/core/ProjectType.h"
#include "wizard/core/QuickProject.h"
#include "wizard/core/WizardSettings.h"

namespace nbx::wizard {

namespace {

QLabel* BuddyLabel(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

// Keeps the one column as wide as the list's inside, less room for a vertical scroll bar.
class TypeList : public QTreeWidget {
protected:
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        setColumnWidth(0, viewport()->width() - (verticalScrollBar()->isVisible() ? 0 : scrollBar));
    }
};

}  // namespace

CQuickProjectDlg::CQuickProjectDlg(QWidget* parent)
    : QDialog(parent), boxes_(QString::fromLatin1(kDialogTitle)) {
    setWindowTitle(QString::fromLatin1(kDialogTitle));
    setObjectName(QStringLiteral("quickProjectDialog"));
    boxes_.SetParent(this);
    const WizardSettings settings = ReadWizardSettings(platform::LocalNow().year);

    auto* intro = new QLabel(
        QStringLiteral("This utility is designed to help you prepare a new E-Book project."));
    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("nameEdit"));
    name_->setMaxLength(static_cast<int>(kMaxNameLength));
    folder_ = new QLineEdit(ToQString(settings.folder));
    folder_->setObjectName(QStringLiteral("folderEdit"));
    folder_->setMaxLength(static_cast<int>(kMaxFolderLength));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."));
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setAutoDefault(false);

    types_ = new TypeList;
    types_->setObjectName(QStringLiteral("typeList"));
    types_->setColumnCount(1);
    types_->setHeaderLabels({QStringLiteral("Content of E-Book created with")});
    types_->setRootIsDecorated(false);
    types_->setSelectionBehavior(QAbstractItemView::SelectRows);
    types_->setSelectionMode(QAbstractItemView::SingleSelection);
    types_->header()->setStretchLastSection(false);
    int widest = 0;
    for (const ProjectType& type : ProjectTypes()) {
        types_->addTopLevelItem(new QTreeWidgetItem({ToQString(type.name)}));
        widest = std::max(widest, types_->fontMetrics().horizontalAdvance(ToQString(type.name)));
    }
    // Every name shows whole, beside the room kept for a scroll bar.
    types_->setMinimumWidth(widest + 2 * types_->frameWidth() + 16 +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    types_->setMinimumHeight(types_->sizeHintForRow(0) * (types_->topLevelItemCount() + 2));
    if (const int chosen = FindProjectType(settings.projectType); chosen >= 0) {
        QTreeWidgetItem* item = types_->topLevelItem(chosen);
        types_->setCurrentItem(item);
        types_->scrollToItem(item);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel("Project &Name", name_), 0, 0);
    grid->addWidget(name_, 0, 1, 1, 2);
    grid->addWidget(MakeFieldMarker(true), 0, 3);
    grid->addWidget(BuddyLabel("&Folder", folder_), 1, 0);
    grid->addWidget(folder_, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(MakeFieldMarker(true), 1, 3);
    grid->addWidget(BuddyLabel("Project &Type", types_), 2, 0, Qt::AlignTop);
    grid->addWidget(types_, 2, 1, 1, 2);
    grid->addWidget(MakeFieldMarker(true), 2, 3, Qt::AlignTop);
    grid->setColumnStretch(1, 1);

    auto* version = new QLabel(QStringLiteral("Version " NBX_VERSION_TEXT ". ") +
                               QString::fromLatin1(kCopyrightNotice));
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setDefault(true);
    auto* exit = buttons->addButton(QStringLiteral("E&xit"), QDialogButtonBox::RejectRole);
    exit->setObjectName(QStringLiteral("exitButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(6);
    layout->addLayout(grid, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(version, 1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    setTabOrder(name_, folder_);
    setTabOrder(folder_, browse);
    setTabOrder(browse, types_);
    setTabOrder(types_, ok_);
    setTabOrder(ok_, exit);
    resize(sizeHint());

    connect(name_, &QLineEdit::textChanged, this, &CQuickProjectDlg::updateOk);
    connect(folder_, &QLineEdit::textChanged, this, &CQuickProjectDlg::updateOk);
    connect(types_, &QTreeWidget::itemSelectionChanged, this, &CQuickProjectDlg::updateOk);
    connect(types_, &QTreeWidget::itemDoubleClicked, this, &CQuickProjectDlg::typeDoubleClicked);
    connect(browse, &QPushButton::clicked, this, &CQuickProjectDlg::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CQuickProjectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateOk();
    name_->setFocus();
}

void CQuickProjectDlg::updateOk() {
    ok_->setEnabled(CanPressOk(ToUtf8(name_->text()), ToUtf8(folder_->text()),
                               !types_->selectedItems().isEmpty()));
}

void CQuickProjectDlg::browse() {
    // Its messages carry the wizard's caption, as every message of the wizard does, over the
    // chooser.
    MessageBoxPrompter boxes(QString::fromLatin1(kDialogTitle));
    Prompter& prompter = prompter_ == &boxes_ ? boxes : *prompter_;
    FolderChooserDialog chooser(QStringLiteral("Select Folder"),
                                QStringLiteral("Please select your working folder."),
                                BrowseStartFolder(ToUtf8(folder_->text())), prompter, this);
    boxes.SetParent(&chooser);
    if (chooser.exec() == QDialog::Accepted) {
        folder_->setText(ToQString(chooser.ChosenFolder()));
    }
}

void CQuickProjectDlg::typeDoubleClicked(QTreeWidgetItem* item) {
    types_->setCurrentItem(item);
    if (CanPressOk(ToUtf8(name_->text()), ToUtf8(folder_->text()), true)) {
        accept();
    }
}

bool CQuickProjectDlg::runWizard(WizardAnswers& answers) {
    if (runWizard_) {
        return runWizard_(answers);
    }
    ProjectWizard wizard(answers, this, prompter_ == &boxes_ ? nullptr : prompter_);
    if (wizard.exec() != QDialog::Accepted) {
        return false;
    }
    answers = wizard.answers();
    return true;
}

void CQuickProjectDlg::accept() {
    const QList<QTreeWidgetItem*> selected = types_->selectedItems();
    if (!CanPressOk(ToUtf8(name_->text()), ToUtf8(folder_->text()), !selected.isEmpty())) {
        return;
    }
    QuickProjectRequest request;
    request.name = ToUtf8(name_->text());
    request.folder = ToUtf8(folder_->text());
    request.type = types_->indexOfTopLevelItem(selected.front());
    if (const auto focus = PrepareProjectFolder(request, *prompter_)) {
        QLineEdit* field = *focus == QuickProjectField::Name ? name_ : folder_;
        field->setFocus();
        field->selectAll();
        return;
    }
    WizardAnswers answers =
        InitialAnswers(request.name, ReadWizardSettings(platform::LocalNow().year));
    if (!runWizard(answers)) {
        return;
    }
    if (MakeQuickProject(request, answers, platform::ExecutablePath(), *prompter_)) {
        QDialog::accept();
    }
}

}  // namespace nbx::wizard
