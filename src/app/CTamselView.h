#pragma once
// The main view: a tab strip over one list per tab. Six lists summarise settings, one lists
// the project's files and one its variables; only the current tab's list is shown. The view
// draws what the core's rules give and reports clicks; the frame runs the commands.

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "appmodel/MainWindowRules.h"

class QTabBar;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace nbx {
class CTamselDoc;
class ExtensionRegistry;
}  // namespace nbx

namespace nbx::app {

class CTamselView : public QWidget {
    Q_OBJECT
public:
    explicit CTamselView(QWidget* parent = nullptr);

    // The document and loaded extensions the lists show; both outlive the view.
    void Attach(CTamselDoc* document, const ExtensionRegistry* extensions);

    // For every new or opened project: refills every list and shows the first tab.
    void InitialUpdate();

    MainTab CurrentTab() const;
    void ShowTab(MainTab tab);

    // Rebuilds the list of a tab from the project. The Files and Nimbrel Variables lists are
    // put in order first, and select again the row whose first cell was selected.
    void Rebuild(MainTab tab);

    QTreeWidget* List(MainTab tab) const { return lists_[static_cast<std::size_t>(tab)]; }
    std::optional<std::size_t> SelectedRow(MainTab tab) const;
    void SelectRow(MainTab tab, std::size_t row);
    // The System Pages section of the selected summary row, 0 without a selection.
    int SelectedSection() const;

signals:
    void CurrentTabChanged();
    void SelectionChanged();
    void RowActivated(nbx::MainTab tab);
    void ContextMenuRequested(nbx::MainTab tab, const QPoint& globalPosition);

private:
    void FillSummary(MainTab tab);
    void FillRows(QTreeWidget* list, const std::vector<std::vector<std::string>>& rows);

    CTamselDoc* document_ = nullptr;
    const ExtensionRegistry* extensions_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    std::array<QTreeWidget*, kMainTabCount> lists_{};
};

}  // namespace nbx::app
