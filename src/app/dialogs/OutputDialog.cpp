#include "app/dialogs/OutputDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/OutputFileDialog.h"
#include "compile/ProgramTarget.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {

constexpr int kMessageLimit = 8192;

// Multi-line fields hold at most limit characters; longer typing is cut back.
void LimitText(QPlainTextEdit* edit, int limit) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit] {
        const QString text = edit->toPlainText();
        if (text.size() > limit) {
            edit->setPlainText(text.left(limit));
            edit->moveCursor(QTextCursor::End);
        }
    });
}

}  // namespace

OutputDialog::OutputDialog(const OutputValues& values, Prompter& prompter, QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit Output"), prompter, parent) {
    auto* grid = new QGridLayout;
    int row = 0;
    auto addLabel = [&](const QString& text, QWidget* buddy, bool rebranderPart) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        auto* marker = MakeFieldMarker(true, this);
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(marker, row, 2, Qt::AlignRight);
        ++row;
        if (rebranderPart) {
            rebranderWidgets_ << label << marker;
        }
    };

    // Under an output name, which system it builds for ("*.exe": Windows), as it is typed.
    auto addTargetNote = [&](QLineEdit* field, const QString& name) {
        auto* note = new QLabel(this);
        note->setObjectName(name);
        const auto update = [note, field] {
            note->setText(ToQString(TargetNote(ToUtf8(field->text()))));
        };
        connect(field, &QLineEdit::textChanged, note, update);
        update();
        grid->addWidget(note, row++, 0, 1, 3);
        return note;
    };

    ebook_ = new QLineEdit(ToQString(values.outputExe), this);
    ebook_->setObjectName(QStringLiteral("outputExe"));
    ebook_->setMaxLength(255);
    auto* browseEBook = new QPushButton(QStringLiteral("&Browse"), this);
    browseEBook->setObjectName(QStringLiteral("browseEBook"));
    addLabel(QStringLiteral("Output &E-Book EXE"), ebook_, false);
    grid->addWidget(ebook_, row, 0, 1, 2);
    grid->addWidget(browseEBook, row++, 2);
    addTargetNote(ebook_, QStringLiteral("outputTarget"));

    buildRebrander_ = new QCheckBox(QStringLiteral("B&uild Rebrander"), this);
    buildRebrander_->setObjectName(QStringLiteral("buildRebrander"));
    buildRebrander_->setChecked(values.buildRebrander);
    grid->addWidget(buildRebrander_, row++, 0, 1, 3);

    rebrander_ = new QLineEdit(ToQString(values.rebranderExe), this);
    rebrander_->setObjectName(QStringLiteral("rebranderExe"));
    rebrander_->setMaxLength(255);
    auto* browseRebrander = new QPushButton(QStringLiteral("Br&owse..."), this);
    browseRebrander->setObjectName(QStringLiteral("browseRebrander"));
    addLabel(QStringLiteral("Output &Rebrander EXE"), rebrander_, true);
    grid->addWidget(rebrander_, row, 0, 1, 2);
    grid->addWidget(browseRebrander, row++, 2);
    rebranderWidgets_ << addTargetNote(rebrander_, QStringLiteral("rebranderTarget"));

    title_ = new QLineEdit(ToQString(values.rebranderTitle), this);
    title_->setObjectName(QStringLiteral("rebranderTitle"));
    title_->setMaxLength(255);
    addLabel(QStringLiteral("Rebrander &Title"), title_, true);
    grid->addWidget(title_, row++, 0, 1, 3);

    start_ = new QPlainTextEdit(ToQString(values.rebranderStartMessage), this);
    start_->setObjectName(QStringLiteral("rebranderStartMessage"));
    start_->setTabChangesFocus(true);
    LimitText(start_, kMessageLimit);
    addLabel(QStringLiteral("Rebrander &Start Message"), start_, true);
    grid->addWidget(start_, row++, 0, 1, 3);

    end_ = new QPlainTextEdit(ToQString(values.rebranderEndMessage), this);
    end_->setObjectName(QStringLiteral("rebranderEndMessage"));
    end_->setTabChangesFocus(true);
    LimitText(end_, kMessageLimit);
    addLabel(QStringLiteral("Rebrander End &Message"), end_, true);
    grid->addWidget(end_, row++, 0, 1, 3);

    rebranderWidgets_ << rebrander_ << browseRebrander << title_ << start_ << end_;
    grid->setColumnMinimumWidth(0, 380);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons());

    setTabOrder(ebook_, browseEBook);
    setTabOrder(browseEBook, buildRebrander_);
    setTabOrder(buildRebrander_, rebrander_);
    setTabOrder(rebrander_, browseRebrander);
    setTabOrder(browseRebrander, title_);
    setTabOrder(title_, start_);
    setTabOrder(start_, end_);

    connect(buildRebrander_, &QCheckBox::toggled, this, &OutputDialog::UpdateEnabling);
    connect(browseEBook, &QPushButton::clicked, this,
            [this] { Browse(ebook_, rebrander_, QStringLiteral("Output E-Book EXE")); });
    connect(browseRebrander, &QPushButton::clicked, this,
            [this] { Browse(rebrander_, ebook_, QStringLiteral("Output Rebrander EXE")); });
    UpdateEnabling();
}

void OutputDialog::UpdateEnabling() {
    const bool on = buildRebrander_->isChecked();
    for (QWidget* widget : rebranderWidgets_) {
        widget->setEnabled(on);
    }
}

void OutputDialog::Browse(QLineEdit* field, QLineEdit* other, const QString& title) {
    const std::string chosen = ChooseOutputFile(
        this, title, OutputBrowseStart(ToUtf8(field->text()), ToUtf8(other->text())));
    if (!chosen.empty()) {
        field->setText(ToQString(chosen));
    }
    UpdateEnabling();
}

OutputValues OutputDialog::values() const {
    return {ToUtf8(ebook_->text()), buildRebrander_->isChecked(),  ToUtf8(rebrander_->text()),
            ToUtf8(title_->text()), ToUtf8(start_->toPlainText()), ToUtf8(end_->toPlainText())};
}

bool OutputDialog::Validate() {
    const auto failure = CheckOutput(values());
    if (!failure) {
        return true;
    }
    QWidget* fields[] = {ebook_, rebrander_, title_, start_, end_};
    Refuse(failure->message, fields[static_cast<int>(failure->field)]);
    return false;
}

}  // namespace nbx::app
