// Pictures of the reader for people to look at: the index page, the Table Of Contents, a
// search and the About page, saved under the build folder.

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "ReaderFixture.h"

namespace nbx::test {
namespace {

class ReaderScreenshotTest : public ReaderFixture {
protected:
    void Save(const char* name) {
        QCoreApplication::processEvents();
        const QPixmap picture = window->grab();
        ASSERT_FALSE(picture.isNull());
        EXPECT_TRUE(picture.save(QDir(NBX_SCREENSHOT_DIR).filePath(name))) << name;
    }
};

TEST_F(ReaderScreenshotTest, SavesTheMainPages) {
    ASSERT_TRUE(QDir().mkpath(NBX_SCREENSHOT_DIR));
    ASSERT_TRUE(Open());
    window->showAsBook();
    Save("reader-index.png");
    window->findChild<QAction*>("actionContents")->trigger();
    Save("reader-contents.png");
    window->findChild<QAction*>("actionSearch")->trigger();
    window->startSearch("reef knot");
    WaitForSearch();
    Save("reader-search.png");
    window->findChild<QAction*>("actionAbout")->trigger();
    Save("reader-about.png");
}

}  // namespace
}  // namespace nbx::test
