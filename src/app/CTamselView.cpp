#include "app/CTamselView.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "appmodel/SummaryRows.h"
#include "project/CTamselDoc.h"
#include "qtcommon/QtText.h"
#include "variables/VariableList.h"

namespace nbx::app {

namespace {

constexpr int kSectionRole = Qt::UserRole + 1;
constexpr int kIndent = 14;      // pixels for the one blank before a row under a heading
constexpr int kMaxColumn = 360;  // a column sized to its cells grows no wider than this
constexpr int kColumnPadding = 16;

// Draws a label that begins with a blank (a row under a heading) indented, so the sections
// read as sections; the row's selection still runs the whole width.
class SummaryLabelDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.column() != 0 || !index.data().toString().startsWith(QLatin1Char(' '))) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem full = option;
        initStyleOption(&full, index);
        full.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &full, painter, widget);
        QStyleOptionViewItem shifted = option;
        shifted.rect.adjust(kIndent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.column() == 0 && index.data().toString().startsWith(QLatin1Char(' '))) {
            size.rwidth() += kIndent;
        }
        return size;
    }
};

// Each column as wide as its widest cell, at least the width it is given, at most kMaxColumn;
// the last one takes the rest of the width.
void SizeColumns(QTreeWidget* list, const std::vector<ListColumn>& columns) {
    for (int c = 0; c + 1 < static_cast<int>(columns.size()); ++c) {
        // QTreeView keeps its override protected; the view's own is public.
        const QAbstractItemView* view = list;
        const int wanted =
            std::max(view->sizeHintForColumn(c), list->header()->sectionSizeHint(c)) +
            kColumnPadding;
        list->setColumnWidth(
            c, std::clamp(wanted, columns[static_cast<std::size_t>(c)].width,
                          std::max(kMaxColumn, columns[static_cast<std::size_t>(c)].width)));
    }
}

const char* ListObjectName(MainTab tab) {
    static const char* const kNames[] = {
        "summaryEBookInfo",   "summaryIcon",   "summaryStartUp", "summaryUserInterface",
        "summarySystemPages", "summaryAddIns", "fileList",       "variableList",
        "summaryOutput"};
    return kNames[static_cast<std::size_t>(tab)];
}

bool IsSummaryTab(MainTab tab) {
    return tab != MainTab::Files && tab != MainTab::Variables;
}

const std::vector<ListColumn>& ColumnsOf(MainTab tab) {
    if (tab == MainTab::Files) {
        return FileListColumns();
    }
    if (tab == MainTab::Variables) {
        return VariableListColumns();
    }
    return SummaryColumns();
}

std::vector<std::vector<std::string>> Cells(const SummaryRows& rows) {
    std::vector<std::vector<std::string>> cells;
    for (const auto& row : rows) {
        cells.push_back({row.label, row.value});
    }
    return cells;
}

}  // namespace

CTamselView::CTamselView(QWidget* parent) : QWidget(parent) {
    setObjectName("tamselView");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName("tabBar");
    tabs_->setExpanding(false);
    tabs_->setDrawBase(true);
    stack_ = new QStackedWidget(this);
    layout->addWidget(tabs_);
    layout->addWidget(stack_, 1);

    for (std::size_t i = 0; i < kMainTabCount; ++i) {
        const auto tab = static_cast<MainTab>(i);
        tabs_->addTab(ToQString(MainTabTitle(tab)));
        auto* list = new QTreeWidget(stack_);
        list->setObjectName(ListObjectName(tab));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->setTextElideMode(Qt::ElideRight);
        // The last column takes the rest of the width; a summary's long values end in "..."
        // (the whole value is the cell's tool tip) rather than under a scroll bar.
        list->header()->setStretchLastSection(true);
        if (IsSummaryTab(tab)) {
            list->setItemDelegate(new SummaryLabelDelegate(list));
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        const auto& columns = ColumnsOf(tab);
        QStringList titles;
        for (const auto& column : columns) {
            titles << ToQString(column.title);
        }
        list->setHeaderLabels(titles);
        // The last column takes what is left; a width of its own would keep a scroll bar.
        for (int c = 0; c + 1 < static_cast<int>(columns.size()); ++c) {
            list->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
        }
        lists_[i] = list;
        stack_->addWidget(list);
        connect(list, &QTreeWidget::itemSelectionChanged, this, &CTamselView::SelectionChanged);
        connect(list, &QTreeWidget::itemDoubleClicked, this,
                [this, tab](QTreeWidgetItem*, int) { emit RowActivated(tab); });
        connect(list, &QTreeWidget::customContextMenuRequested, this,
                [this, tab, list](const QPoint& at) {
                    emit ContextMenuRequested(tab, list->viewport()->mapToGlobal(at));
                });
    }
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        stack_->setCurrentIndex(index);
        emit CurrentTabChanged();
    });
}

void CTamselView::Attach(CTamselDoc* document, const ExtensionRegistry* extensions) {
    document_ = document;
    extensions_ = extensions;
}

void CTamselView::InitialUpdate() {
    for (std::size_t i = 0; i < kMainTabCount; ++i) {
        lists_[i]->clear();
        Rebuild(static_cast<MainTab>(i));
    }
    ShowTab(MainTab::EBookInfo);
}

MainTab CTamselView::CurrentTab() const {
    return static_cast<MainTab>(tabs_->currentIndex());
}

void CTamselView::ShowTab(MainTab tab) {
    tabs_->setCurrentIndex(static_cast<int>(tab));
    stack_->setCurrentIndex(static_cast<int>(tab));
}

void CTamselView::Rebuild(MainTab tab) {
    if (!document_) {
        return;
    }
    Project& project = document_->project();
    QTreeWidget* list = List(tab);
    list->setUpdatesEnabled(false);
    std::optional<std::string> selected;
    if (QTreeWidgetItem* item = list->currentItem(); item && item->isSelected()) {
        selected = ToUtf8(item->text(0));
    }
    std::vector<std::vector<std::string>> rows;
    if (tab == MainTab::Files) {
        project.SortFiles();
        for (const auto& file : project.files) {
            rows.push_back(FileListCells(project, file));
        }
    } else if (tab == MainTab::Variables) {
        for (const auto& variable : project.variables) {
            rows.push_back(VariableListCells(variable));
        }
    } else {
        FillSummary(tab);
        list->setUpdatesEnabled(true);
        return;
    }
    FillRows(list, rows);
    SizeColumns(list, ColumnsOf(tab));
    std::vector<std::string> firstCells;
    for (const auto& row : rows) {
        firstCells.push_back(row.front());
    }
    if (const auto row = RowToReselect(firstCells, selected)) {
        SelectRow(tab, *row);
    }
    list->setUpdatesEnabled(true);
}

void CTamselView::FillSummary(MainTab tab) {
    const Project& p = document_->project();
    SummaryRows rows;
    switch (tab) {
        case MainTab::EBookInfo:
            rows = EBookInfoSummary(p);
            break;
        case MainTab::Icon:
            rows = IconSummary(p);
            break;
        case MainTab::StartUp:
            rows = StartUpSummary(p);
            break;
        case MainTab::UserInterface:
            rows = UserInterfaceSummary(p);
            break;
        case MainTab::SystemPages:
            rows = SystemPagesSummary(p);
            break;
        case MainTab::AddIns:
            rows = AddInsSummary(p, extensions_);
            break;
        case MainTab::Output:
            rows = OutputSummary(p);
            break;
        default:
            return;
    }
    QTreeWidget* list = List(tab);
    FillRows(list, Cells(rows));
    QFont bold = list->font();
    bold.setBold(true);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(i));
        item->setData(0, kSectionRole, rows[i].section);
        if (IsSummaryHeading(rows, i)) {
            item->setFont(0, bold);
            item->setFirstColumnSpanned(true);
        }
    }
    SizeColumns(list, ColumnsOf(tab));
}

void CTamselView::FillRows(QTreeWidget* list, const std::vector<std::vector<std::string>>& rows) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const auto& row : rows) {
        QStringList texts;
        for (const auto& cell : row) {
            // One line per cell: a multi-line value shows its line breaks as blanks.
            texts << ToQString(cell)
                         .replace(QLatin1Char('\n'), QLatin1Char(' '))
                         .remove(QLatin1Char('\r'));
        }
        auto* item = new QTreeWidgetItem(texts);
        for (int c = 0; c < texts.size(); ++c) {
            if (!texts[c].isEmpty()) {
                item->setToolTip(c, texts[c]);
            }
        }
        items << item;
    }
    list->addTopLevelItems(items);
}

std::optional<std::size_t> CTamselView::SelectedRow(MainTab tab) const {
    QTreeWidget* list = List(tab);
    const auto selected = list->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(list->indexOfTopLevelItem(selected.front()));
}

void CTamselView::SelectRow(MainTab tab, std::size_t row) {
    QTreeWidget* list = List(tab);
    if (QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(row))) {
        list->setCurrentItem(item);
        item->setSelected(true);
        list->scrollToItem(item);
    }
}

int CTamselView::SelectedSection() const {
    const auto row = SelectedRow(MainTab::SystemPages);
    if (!row) {
        return 0;
    }
    return List(MainTab::SystemPages)
        ->topLevelItem(static_cast<int>(*row))
        ->data(0, kSectionRole)
        .toInt();
}

}  // namespace nbx::app
