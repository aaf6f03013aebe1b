#pragma once
// Waits while a folder chooser's tree is read and sorted in the background, and tells
// whether its selected folder is in view at the end (it must stay there throughout).

#include <QTest>
#include <QTreeView>

namespace nbx::test {

inline bool SelectedFolderSettlesInView(QTreeView& tree) {
    const auto inView = [&tree] {
        return tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex()).center());
    };
    for (int i = 0; i < 300 && !inView(); ++i) {
        QTest::qWait(10);
    }
    QTest::qWait(500);
    return inView();
}

}  // namespace nbx::test
