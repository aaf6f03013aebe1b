#include "rebrander/RebranderWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/ProgramLauncher.h"
#include "common/Prompter.h"
#include "qtcommon/QtText.h"
#include "rebranding/EBookRebrander.h"
#include "variables/VariableKind.h"

namespace nbx {

namespace {

// The messages are stored with Windows line ends; a label wants one break per line.
QString MessageText(const std::string& text) {
    QString s = Q(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

QLabel* MessageLabel(const std::string& text, const char* name) {
    auto* label = new QLabel(MessageText(text));
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* Button(const char* text, const char* name) {
    auto* button = new QPushButton(QLatin1String(text));
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

QHBoxLayout* RebranderWindow::ButtonRow(QPushButton* action, void (RebranderWindow::*run)(),
                                        const char* exitName) {
    action->setDefault(true);
    connect(action, &QPushButton::clicked, this, run);
    auto* exit = Button("Exit", exitName);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(action);
    row->addWidget(exit);
    return row;
}

RebranderWindow::RebranderWindow(EBookRebrander& rebrander, Prompter& prompter, QWidget* parent)
    : QWidget(parent), rebrander_(rebrander), prompter_(prompter) {
    setObjectName(QStringLiteral("rebranderWindow"));
    const RebranderRecord& record = rebrander_.record();
    setWindowTitle(
        Q(record.rebranderTitle.empty() ? "Rebrand " + record.title : record.rebranderTitle));
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    startPage_ = MakeStartPage();
    customizePage_ = MakeCustomizePage();
    endPage_ = MakeEndPage();
    pages_->addWidget(startPage_);
    pages_->addWidget(customizePage_);
    pages_->addWidget(endPage_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    resize(560, 420);
}

QWidget* RebranderWindow::MakeStartPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("startPage"));
    auto* title = new QLabel(windowTitle());
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(title);
    layout->addSpacing(8);
    layout->addWidget(MessageLabel(rebrander_.record().rebranderStartMessage, "startMessageLabel"),
                      1);
    layout->addLayout(ButtonRow(Button("Customize", "customizeButton"), &RebranderWindow::Customize,
                                "startExitButton"));
    return page;
}

QWidget* RebranderWindow::MakeCustomizePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("customizePage"));
    auto* intro = new QLabel(tr("Enter your own information below, then press Save."));
    intro->setObjectName(QStringLiteral("customizeIntroLabel"));
    intro->setWordWrap(true);

    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("variablesArea"));
    area->setWidgetResizable(true);
    auto* inner = new QWidget;
    editorsLayout_ = new QVBoxLayout(inner);
    area->setWidget(inner);

    noVariablesLabel_ = new QLabel(tr("This e-book has no information that can be customized."));
    noVariablesLabel_->setObjectName(QStringLiteral("noVariablesLabel"));
    noVariablesLabel_->setWordWrap(true);
    noVariablesLabel_->hide();

    saveButton_ = Button("Save", "saveButton");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(intro);
    layout->addWidget(noVariablesLabel_);
    layout->addWidget(area, 1);
    layout->addLayout(ButtonRow(saveButton_, &RebranderWindow::Save, "customizeExitButton"));
    return page;
}

QWidget* RebranderWindow::MakeEndPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("endPage"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(MessageLabel(rebrander_.record().rebranderEndMessage, "endMessageLabel"), 1);
    layout->addLayout(ButtonRow(Button("View E-Book", "viewButton"), &RebranderWindow::ViewEBook,
                                "endExitButton"));
    return page;
}

void RebranderWindow::FillEditors() {
    while (QLayoutItem* item = editorsLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    editors_.clear();
    const auto& variables = rebrander_.variables();
    for (std::size_t i = 0; i < variables.size(); ++i) {
        const RebrandableVariable& v = variables[i];
        const QString index = QString::number(i);
        auto* description = new QLabel(Q(v.description));
        description->setObjectName(QStringLiteral("descriptionLabel") + index);
        description->setTextFormat(Qt::PlainText);
        description->setWordWrap(true);
        description->setToolTip(PlainToolTip(Q(v.name)));

        const QString shown = Q(v.value);
        QWidget* editor = nullptr;
        if (EditorForKind(v.kind) == ValueEditor::MultiLine) {
            auto* text = new QPlainTextEdit;
            text->setPlainText(shown);
            text->setTabChangesFocus(true);
            text->setFixedHeight(text->fontMetrics().lineSpacing() * 5 + 12);
            editor = text;
        } else {
            auto* line = new QLineEdit(shown);
            line->setMaxLength(static_cast<int>(MaxValueLength(ValueEditor::SingleLine)));
            editor = line;
        }
        editor->setObjectName(QStringLiteral("valueEdit") + index);
        description->setBuddy(editor);
        editorsLayout_->addWidget(description);
        editorsLayout_->addWidget(editor);
        editorsLayout_->addSpacing(6);
        editors_.push_back({editor, shown});
    }
    editorsLayout_->addStretch(1);
    noVariablesLabel_->setVisible(variables.empty());
    saveButton_->setEnabled(!variables.empty());
}

void RebranderWindow::Customize() {
    {
        BusyScope busy(prompter_);
        if (!rebrander_.OpenEBook()) {
            failed_ = true;
        }
    }
    if (failed_) {
        prompter_.Show(rebrander_.error(), MessageIcon::Error);
        close();
        return;
    }
    FillEditors();
    pages_->setCurrentWidget(customizePage_);
    if (!editors_.empty()) {
        editors_.front().widget->setFocus();
    }
}

void RebranderWindow::Save() {
    std::vector<std::string> values;
    const auto& variables = rebrander_.variables();
    for (std::size_t i = 0; i < editors_.size(); ++i) {
        QString text;
        if (auto* line = qobject_cast<QLineEdit*>(editors_[i].widget)) {
            text = line->text();
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editors_[i].widget)) {
            text = plain->toPlainText();
        }
        // An untouched editor keeps the stored bytes, whatever the round trip through the
        // editor made of their line ends or encoding.
        values.push_back(text == editors_[i].shown ? variables[i].value : text.toStdString());
    }
    bool written = false;
    {
        BusyScope busy(prompter_);
        written = rebrander_.Rewrite(values);
    }
    if (!written) {
        prompter_.Show(rebrander_.error(), MessageIcon::Warning);
        return;
    }
    pages_->setCurrentWidget(endPage_);
}

void RebranderWindow::ViewEBook() {
    if (LaunchProgram(rebrander_.ebookPath(), ShowState::Normal, prompter_)) {
        close();
    }
}

}  // namespace nbx
