#include "app/dialogs/StartUpDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {
constexpr int kMessageLimit = 4096;
constexpr int kPathLimit = 260;
}  // namespace

StartUpDialog::StartUpDialog(const StartUpValues& values, Prompter& prompter, QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit Start Up"), prompter, parent) {
    auto* grid = new QGridLayout;
    int row = 0;

    message_ = new QPlainTextEdit(ToQString(values.message), this);
    message_->setObjectName(QStringLiteral("startupMessage"));
    message_->setTabChangesFocus(true);
    message_->setMinimumHeight(80);
    connect(message_, &QPlainTextEdit::textChanged, this, [this] {
        if (message_->toPlainText().size() > kMessageLimit) {
            message_->setPlainText(message_->toPlainText().left(kMessageLimit));
            message_->moveCursor(QTextCursor::End);
        }
    });
    auto* messageLabel = new QLabel(QStringLiteral("&Start Up Message (Text only, no HTML)"), this);
    messageLabel->setBuddy(message_);
    grid->addWidget(messageLabel, row, 0, 1, 3);
    grid->addWidget(MakeFieldMarker(false, this), row++, 3, Qt::AlignRight);
    grid->addWidget(message_, row++, 0, 1, 4);

    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("initialSize"));
    for (const CodeName& choice : StartUpSizeChoices()) {
        size_->addItem(QString::fromLatin1(choice.name));
    }
    size_->setCurrentIndex(values.sizeIndex);
    auto* sizeLabel = new QLabel(QStringLiteral("&Initial Window Size"), this);
    sizeLabel->setBuddy(size_);
    grid->addWidget(sizeLabel, row, 0);
    grid->addWidget(size_, row++, 1, 1, 3);

    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    x_ = new QLineEdit(ToQString(values.x), this);
    x_->setObjectName(QStringLiteral("x"));
    x_->setValidator(digits);
    x_->setMaxLength(10);
    auto* xLabel = new QLabel(QStringLiteral("&X (Horizontal)"), this);
    xLabel->setBuddy(x_);
    y_ = new QLineEdit(ToQString(values.y), this);
    y_->setObjectName(QStringLiteral("y"));
    y_->setValidator(digits);
    y_->setMaxLength(10);
    auto* yLabel = new QLabel(QStringLiteral("&Y (Vertical)"), this);
    yLabel->setBuddy(y_);
    grid->addWidget(xLabel, row, 0, Qt::AlignRight);
    grid->addWidget(x_, row, 1);
    grid->addWidget(yLabel, row, 2, Qt::AlignRight);
    grid->addWidget(y_, row++, 3);

    position_ = new QComboBox(this);
    position_->setObjectName(QStringLiteral("initialPosition"));
    for (const CodeName& choice : StartUpPositionChoices()) {
        position_->addItem(QString::fromLatin1(choice.name));
    }
    position_->setCurrentIndex(values.positionIndex);
    auto* positionLabel = new QLabel(QStringLiteral("Initial &Position"), this);
    positionLabel->setBuddy(position_);
    grid->addWidget(positionLabel, row, 0);
    grid->addWidget(position_, row++, 1, 1, 3);
    customWidgets_ << xLabel << x_ << yLabel << y_ << positionLabel << position_;

    splash_ = new QLineEdit(ToQString(values.splashBitmap), this);
    splash_->setObjectName(QStringLiteral("splashBitmap"));
    splash_->setMaxLength(kPathLimit);
    auto* splashLabel = new QLabel(QStringLiteral("Splash screen &Bitmap File (.BMP)"), this);
    splashLabel->setBuddy(splash_);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    grid->addWidget(splashLabel, row, 0, 1, 3);
    grid->addWidget(MakeFieldMarker(false, this), row++, 3, Qt::AlignRight);
    grid->addWidget(splash_, row, 0, 1, 3);
    grid->addWidget(browse, row++, 3);

    delay_ = new QComboBox(this);
    delay_->setObjectName(QStringLiteral("splashDelay"));
    for (std::int32_t delay : SplashDelayChoices()) {
        delay_->addItem(ToQString(SplashDelayName(delay)));
    }
    delay_->setCurrentIndex(values.delayIndex);
    auto* delayLabel = new QLabel(QStringLiteral("Splash &Extra Delay"), this);
    delayLabel->setBuddy(delay_);
    grid->addWidget(delayLabel, row, 0);
    grid->addWidget(delay_, row++, 1, 1, 3);

    percentageBar_ = new QCheckBox(QStringLiteral("Sho&w Percentage Bar While Splash Shown"), this);
    percentageBar_->setObjectName(QStringLiteral("percentageBar"));
    percentageBar_->setChecked(values.percentageBar);
    grid->addWidget(percentageBar_, row++, 0, 1, 4);
    splashWidgets_ << delayLabel << delay_ << percentageBar_;

    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons());
    setMinimumWidth(460);

    connect(size_, &QComboBox::currentIndexChanged, this, &StartUpDialog::UpdateEnabling);
    connect(splash_, &QLineEdit::textChanged, this, &StartUpDialog::UpdateEnabling);
    connect(browse, &QPushButton::clicked, this, &StartUpDialog::Browse);
    UpdateEnabling();
}

void StartUpDialog::UpdateEnabling() {
    const bool custom = size_->currentIndex() == StartUpSizeIndex(0);
    for (QWidget* widget : customWidgets_) {
        widget->setEnabled(custom);
    }
    const bool splash = !splash_->text().isEmpty();
    for (QWidget* widget : splashWidgets_) {
        widget->setEnabled(splash);
    }
}

void StartUpDialog::Browse() {
    QFileDialog dialog(this, QStringLiteral("Select Splash Bitmap File"), splash_->text(),
                       QStringLiteral("Bitmap Files (*.bmp);;All Files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        splash_->setText(dialog.selectedFiles().constFirst());
    }
    UpdateEnabling();
}

StartUpValues StartUpDialog::values() const {
    StartUpValues values;
    values.message = ToUtf8(message_->toPlainText());
    values.sizeIndex = size_->currentIndex();
    values.x = ToUtf8(x_->text());
    values.y = ToUtf8(y_->text());
    values.positionIndex = position_->currentIndex();
    values.splashBitmap = ToUtf8(splash_->text());
    values.delayIndex = delay_->currentIndex();
    values.percentageBar = percentageBar_->isChecked();
    return values;
}

bool StartUpDialog::Validate() {
    const auto failure = CheckStartUp(values());
    if (!failure) {
        return true;
    }
    QWidget* fields[] = {x_, y_, splash_};
    Refuse(failure->message, fields[static_cast<int>(failure->field)]);
    return false;
}

}  // namespace nbx::app
