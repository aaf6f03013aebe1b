#include "app/dialogs/IconDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "project/DisplayNames.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {

constexpr int kItemSize = 42;
constexpr int kIconOffset = 5;
constexpr int kIconSize = 32;
constexpr int kPathRole = Qt::UserRole;

const std::int32_t kInstallCodes[] = {StoredCode(InstallOption::None),
                                      StoredCode(InstallOption::Desktop),
                                      StoredCode(InstallOption::StartMenu)};
const char* const kInstallNames[] = {"N/A", "On the Desktop", "On the Start Menu"};

// Each item: its icon 5 pixels in from the corner, framed twice in the highlight colour when
// selected and in the window colour otherwise.
class IconItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect item(option.rect.topLeft(), QSize(kItemSize, kItemSize));
        const QPixmap pixmap = index.data(Qt::DecorationRole).value<QIcon>().pixmap(kIconSize);
        painter->fillRect(item, option.palette.color(QPalette::Base));
        painter->drawPixmap(item.topLeft() + QPoint(kIconOffset, kIconOffset), pixmap);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->drawRect(item.adjusted(0, 0, -1, -1));
        painter->drawRect(item.adjusted(1, 1, -2, -2));
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {kItemSize, kItemSize};
    }
};

}  // namespace

IconDialog::IconDialog(const IconValues& values, std::string iconsFolder, Prompter& prompter,
                       QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit Icon"), prompter, parent),
      iconsFolder_(std::move(iconsFolder)),
      library_(ListIconLibrary(iconsFolder_)) {
    install_ = new QComboBox(this);
    install_->setObjectName(QStringLiteral("installOption"));
    for (std::size_t i = 0; i < 3; ++i) {
        install_->addItem(QString::fromLatin1(kInstallNames[i]));
        if (kInstallCodes[i] == values.installOption) {
            install_->setCurrentIndex(static_cast<int>(i));
        }
    }
    auto* installLabel = new QLabel(QStringLiteral("&Installation Option"), this);
    installLabel->setBuddy(install_);

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(kItemSize, kItemSize);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);

    category_ = new QComboBox(this);
    category_->setObjectName(QStringLiteral("category"));
    icons_ = new QListWidget(this);
    icons_->setObjectName(QStringLiteral("icons"));
    icons_->setViewMode(QListView::IconMode);
    icons_->setFlow(QListView::LeftToRight);
    icons_->setWrapping(true);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setMovement(QListView::Static);
    icons_->setGridSize(QSize(kItemSize, kItemSize));
    icons_->setSpacing(0);
    icons_->setItemDelegate(new IconItemDelegate(icons_));
    icons_->setMinimumSize(8 * kItemSize + 24, 4 * kItemSize + 8);
    auto* selectLabel = new QLabel(QStringLiteral("&Select Icon"), this);
    selectLabel->setBuddy(category_);

    auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    refresh->setObjectName(QStringLiteral("refresh"));
    buttons()->addButton(refresh, QDialogButtonBox::ResetRole);

    auto* grid = new QGridLayout;
    grid->addWidget(installLabel, 0, 0);
    grid->addWidget(install_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("E-Book Icon"), this), 1, 0);
    grid->addWidget(preview_, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(selectLabel);
    layout->addWidget(category_);
    layout->addWidget(icons_);
    layout->addWidget(buttons());

    for (const IconCategory& category : library_.categories) {
        category_->addItem(ToQString(category.name));
    }
    // Noted first, so the list selects the previewed icon when it is in the category shown.
    previewed_ = library_.Find(values.iconFile) >= 0 ? values.iconFile : std::string();
    category_->setCurrentIndex(CategoryOf(previewed_));
    ShowCategory();
    Preview(previewed_);
    // An icon of the project's own, outside the library, stays unless another is chosen.
    if (previewed_.empty() && !values.iconFile.empty()) {
        kept_ = values.iconFile;
        keptLabel_ = new QLabel(QStringLiteral("Not in the library, kept unless you choose "
                                               "another: ") +
                                    ToQString(kept_),
                                this);
        keptLabel_->setObjectName(QStringLiteral("keptIcon"));
        keptLabel_->setWordWrap(true);
        keptLabel_->setTextFormat(Qt::PlainText);
        grid->addWidget(keptLabel_, 2, 0, 1, 2);
    }

    connect(category_, &QComboBox::currentIndexChanged, this, &IconDialog::ShowCategory);
    connect(icons_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr) {
            Preview(ToUtf8(item->data(kPathRole).toString()));
        }
    });
    connect(refresh, &QPushButton::clicked, this, &IconDialog::Refresh);
}

void IconDialog::ShowCategory() {
    QSignalBlocker block(icons_);
    icons_->clear();
    const int index = category_->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= library_.categories.size()) {
        return;
    }
    for (const std::string& path :
         library_.IconsOf(library_.categories[static_cast<std::size_t>(index)])) {
        auto it = pixmaps_.find(path);
        if (it == pixmaps_.end()) {
            it = pixmaps_.emplace(path, QIcon(ToQString(path)).pixmap(kIconSize)).first;
        }
        auto* item = new QListWidgetItem(QIcon(it->second), QString(), icons_);
        item->setData(kPathRole, ToQString(path));
        item->setToolTip(ToQString(path));
        if (path == previewed_) {
            icons_->setCurrentItem(item);
        }
    }
}

int IconDialog::CategoryOf(const std::string& path) const {
    for (std::size_t i = 0; i < library_.categories.size(); ++i) {
        const auto icons = library_.IconsOf(library_.categories[i]);
        if (std::find(icons.begin(), icons.end(), path) != icons.end()) {
            return static_cast<int>(i);
        }
    }
    return library_.categories.empty() ? -1 : 0;
}

void IconDialog::Preview(const std::string& path) {
    previewed_ = path;
    if (!path.empty()) {
        kept_.clear();  // chosen from the library instead
        if (keptLabel_ != nullptr) {
            keptLabel_->hide();
        }
    }
    const auto it = pixmaps_.find(path);
    if (path.empty()) {
        preview_->clear();
    } else {
        preview_->setPixmap(it != pixmaps_.end() ? it->second
                                                 : QIcon(ToQString(path)).pixmap(kIconSize));
    }
}

void IconDialog::Refresh() {
    const std::string noted = previewed_;
    pixmaps_.clear();
    library_ = ListIconLibrary(iconsFolder_);
    ShowCategory();
    Preview(library_.Find(noted) >= 0 ? noted : std::string());
}

IconValues IconDialog::values() const {
    const int option = install_->currentIndex();
    return {previewed_.empty() ? kept_ : previewed_,
            option >= 0 ? kInstallCodes[option] : StoredCode(InstallOption::None)};
}

}  // namespace nbx::app
