#include "app/dialogs/LanguageTextDialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"
#include "viewerfiles/LanguageValueEdit.h"

namespace nbx::app {

namespace {
constexpr std::size_t kShortLimit = 255;
constexpr std::size_t kLongLimit = 9999;
}  // namespace

LanguageTextDialog::LanguageTextDialog(char flag, const std::string& purpose,
                                       const std::string& value, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQString(TextEditTitle(flag)));
    auto* label = new QLabel(ToQString(purpose), this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    if (EditKindOfFlag(flag) == LanguageEditKind::ShortText) {
        shortField_ = new QLineEdit(ToQString(value), this);
        shortField_->setObjectName(QStringLiteral("value"));
        shortField_->setMaxLength(static_cast<int>(FieldLimit(kShortLimit, value)));
        shortField_->setMinimumWidth(420);
        label->setBuddy(shortField_);
        layout->addWidget(shortField_);
    } else {
        const std::string shown = EscapeLongText(value);
        longField_ = new QPlainTextEdit(ToQString(shown), this);
        longField_->setObjectName(QStringLiteral("value"));
        longField_->setTabChangesFocus(true);
        longField_->setMinimumSize(480, 180);
        longField_->installEventFilter(this);
        const auto limit = static_cast<int>(FieldLimit(kLongLimit, shown));
        connect(longField_, &QPlainTextEdit::textChanged, this, [this, limit] {
            const QString text = longField_->toPlainText();
            if (text.size() > limit) {
                longField_->setPlainText(text.left(limit));
                longField_->moveCursor(QTextCursor::End);
            }
        });
        label->setBuddy(longField_);
        layout->addWidget(longField_);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::string LanguageTextDialog::value() const {
    if (shortField_ != nullptr) {
        return ToUtf8(shortField_->text());
    }
    return UnescapeLongText(ToUtf8(longField_->toPlainText()));
}

bool LanguageTextDialog::eventFilter(QObject* watched, QEvent* event) {
    // Line breaks are typed as "\n", so Enter confirms as in a single-line field.
    if (watched == longField_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace nbx::app
