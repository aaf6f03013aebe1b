#include "app/BuildSuccessfulDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ProgramLauncher.h"
#include "compile/BuildCommand.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {

QGroupBox* OutputGroup(const char* title, const char* prefix, const BuiltOutput& output,
                       Prompter& prompter, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString(prefix) + "Group");
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    auto* name = new QLabel(ToQString(output.path), group);
    name->setObjectName(QString(prefix) + "FileName");
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* size = new QLabel(ToQString(output.sizeText), group);
    size->setObjectName(QString(prefix) + "FileSize");
    auto* run = new QPushButton("Run", group);
    run->setObjectName(QString(prefix) + "RunButton");
    run->setAutoDefault(false);
    grid->addWidget(new QLabel("File Name", group), 0, 0);
    grid->addWidget(name, 0, 1);
    grid->addWidget(new QLabel("File Size", group), 1, 0);
    grid->addWidget(size, 1, 1);
    grid->addWidget(run, 0, 2, 2, 1, Qt::AlignVCenter);
    const std::string path = output.path;
    QObject::connect(run, &QPushButton::clicked, group,
                     [path, &prompter] { LaunchProgram(path, ShowState::Normal, prompter); });
    return group;
}

}  // namespace

BuildSuccessfulDialog::BuildSuccessfulDialog(const std::string& bookPath,
                                             const std::string& rebranderPath, Prompter& prompter,
                                             QWidget* parent)
    : QDialog(parent) {
    setObjectName("buildSuccessfulDialog");
    setWindowTitle("Build Successful");
    auto* layout = new QVBoxLayout(this);
    const BuiltOutput book = DescribeBuiltOutput(bookPath);
    const BuiltOutput rebrander = DescribeBuiltOutput(rebranderPath);
    auto* bookGroup = OutputGroup("Output E-Book EXE", "book", book, prompter, this);
    auto* rebranderGroup =
        OutputGroup("Output Rebrander EXE", "rebrander", rebrander, prompter, this);
    layout->addWidget(bookGroup);
    layout->addWidget(rebranderGroup);
    bookGroup->setVisible(book.shown);
    bookGroup->setEnabled(book.shown);
    rebranderGroup->setVisible(rebrander.shown);
    rebranderGroup->setEnabled(rebrander.shown);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    // A hidden group takes no room: the dialog ends above it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace nbx::app
