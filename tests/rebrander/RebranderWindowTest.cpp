// The Rebrander's window, offscreen: its pages driven by object name as a reseller would,
// with a screenshot of each page under the build folder.

#include "rebrander/RebranderWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocument>

#include "format/ArchiveReader.h"
#include "rebranding/EBookRebrander.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "support/TestBook.h"
#include "support/TestRebrander.h"

namespace nbx {
namespace {

constexpr std::uint32_t kBuildTime = 1720000000;

void SaveScreenshot(QWidget& window, const char* name) {
    QDir().mkpath(QStringLiteral(NBX_SCREENSHOT_DIR));
    QApplication::processEvents();
    const QString path = QStringLiteral(NBX_SCREENSHOT_DIR "/") + QLatin1String(name);
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

class RebranderWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() == nullptr) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            static int argc = 1;
            static char name[] = "nbx_rebrander_tests";
            static char* argv[] = {name, nullptr};
            app_ = new QApplication(argc, argv);
        }
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }

    void SetUp() override {
        // The e-book's program part is a script that ends before the archive, so that
        // "View E-Book" starts something harmless.
        const std::string stub = dir.Write("stub", "#!/bin/sh\nexit 0\n");
        BuildSettings settings;
        settings.title = "Birds of the Coast";
        ASSERT_EQ(test::WriteTestBook(
                      dir, stub, bookPath, settings, {{"index.html", "<p>Gulls</p>", "Welcome"}},
                      {{"Reseller", "Your name or company", "Nobody", 1, 0},
                       {"Author", "", "Kim", 0, 0},
                       {"Offer", "Your offer to readers", "Line one\nLine two", 1, 3}},
                      kBuildTime),
                  "");
        record.ebookFileName = "birds";
        record.title = settings.title;
        record.rebranderTitle = "Rebrand Birds of the Coast";
        record.rebranderStartMessage =
            "The author of this E-Book has allowed you to customize it.\r\n\r\nPress "
            "'Customize'.";
        record.rebranderEndMessage = "The customization process is now complete.";
        WriteRebrander(kBuildTime);
    }

    void WriteRebrander(std::uint32_t buildTime) {
        ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "stub", record, buildTime));
        ASSERT_TRUE(rebrander.ReadRebrander(rebranderPath)) << rebrander.error();
    }

    template <class T>
    T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QWidget* CurrentPage(QWidget& window) {
        return Child<QStackedWidget>(window, "pages")->currentWidget();
    }

    static inline QApplication* app_ = nullptr;
    test::TempDir dir;
    const std::string bookPath = dir.File("birds");
    const std::string rebranderPath = dir.File("rebrand");
    RebranderRecord record;
    EBookRebrander rebrander;
    test::RecordingPrompter prompter;
};

TEST_F(RebranderWindowTest, CustomizeListsTheVariablesAndSaveWritesThem) {
    RebranderWindow window(rebrander, prompter);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Rebrand Birds of the Coast");
    EXPECT_EQ(CurrentPage(window)->objectName(), "startPage");
    EXPECT_EQ(Child<QLabel>(window, "titleLabel")->text(), "Rebrand Birds of the Coast");
    EXPECT_EQ(Child<QLabel>(window, "startMessageLabel")->text(),
              "The author of this E-Book has allowed you to customize it.\n\nPress 'Customize'.");
    EXPECT_EQ(Child<QPushButton>(window, "customizeButton")->text(), "Customize");
    EXPECT_EQ(Child<QPushButton>(window, "startExitButton")->text(), "Exit");
    SaveScreenshot(window, "rebrander-start.png");

    Child<QPushButton>(window, "customizeButton")->click();
    ASSERT_EQ(CurrentPage(window)->objectName(), "customizePage");
    EXPECT_EQ(Child<QLabel>(window, "descriptionLabel0")->text(), "Your name or company");
    EXPECT_EQ(Child<QLabel>(window, "descriptionLabel1")->text(), "Your offer to readers");
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("valueEdit2")), nullptr);
    auto* name = Child<QLineEdit>(window, "valueEdit0");
    auto* offer = Child<QPlainTextEdit>(window, "valueEdit1");
    ASSERT_TRUE(name && offer);
    EXPECT_EQ(name->text(), "Nobody");
    EXPECT_EQ(offer->toPlainText(), "Line one\nLine two");
    SaveScreenshot(window, "rebrander-customize.png");

    name->setText(QStringLiteral("Hélène's Books"));
    Child<QPushButton>(window, "saveButton")->click();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
    ASSERT_EQ(CurrentPage(window)->objectName(), "endPage");
    EXPECT_EQ(Child<QLabel>(window, "endMessageLabel")->text(),
              "The customization process is now complete.");
    EXPECT_EQ(Child<QPushButton>(window, "viewButton")->text(), "View E-Book");
    EXPECT_EQ(Child<QPushButton>(window, "endExitButton")->text(), "Exit");
    SaveScreenshot(window, "rebrander-end.png");

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(bookPath)) << reader.error();
    EXPECT_EQ(reader.variables()[0].value, "Hélène's Books");
    EXPECT_EQ(reader.variables()[1].value, "Kim");
    EXPECT_EQ(reader.variables()[2].value, "Line one\nLine two");

    Child<QPushButton>(window, "viewButton")->click();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.failed());
}

// A crafted book's names and texts reach labels and tool tips as text, never as markup
// that would load a picture from the disk.
TEST_F(RebranderWindowTest, TheBooksTextsAreShownAsTheyStand) {
    const std::string markup = "<img src=\"file:///dev/zero\"><b>Shop</b>";
    BuildSettings settings;
    ASSERT_EQ(test::WriteTestBook(dir, dir.File("stub"), bookPath, settings,
                                  {{"index.html", "<p>Gulls</p>", "Welcome"}},
                                  {{markup, markup, "x", 1, 0}}, kBuildTime),
              "");
    record.rebranderTitle = markup;
    record.rebranderStartMessage = markup;
    WriteRebrander(kBuildTime);
    RebranderWindow window(rebrander, prompter);
    window.show();
    Child<QPushButton>(window, "customizeButton")->click();
    for (const char* name : {"titleLabel", "startMessageLabel", "descriptionLabel0"}) {
        auto* label = Child<QLabel>(window, name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        EXPECT_EQ(label->text().toStdString(), markup) << name;
    }
    QTextDocument tip;
    tip.setHtml(Child<QLabel>(window, "descriptionLabel0")->toolTip());
    EXPECT_EQ(tip.toPlainText().toStdString(), markup);
    window.grab();
}

TEST_F(RebranderWindowTest, RefusedValueKeepsThePageAndTheBook) {
    const std::string before = test::ReadWholeFile(bookPath);
    RebranderWindow window(rebrander, prompter);
    window.show();
    Child<QPushButton>(window, "customizeButton")->click();
    Child<QPlainTextEdit>(window, "valueEdit1")->setPlainText(QString(8193, QLatin1Char('x')));
    Child<QPushButton>(window, "saveButton")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "The value of \"Offer\" is 8193 characters long; it may have at most 8192.");
    EXPECT_EQ(CurrentPage(window)->objectName(), "customizePage");
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == before);
}

TEST_F(RebranderWindowTest, BookOfAnotherBuildStopsWithItsMessage) {
    WriteRebrander(kBuildTime + 3600);
    const std::string before = test::ReadWholeFile(bookPath);
    RebranderWindow window(rebrander, prompter);
    window.show();
    Child<QPushButton>(window, "customizeButton")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(
        prompter.messages[0].rfind("This Rebrander belongs to the e-book \"birds\" built ", 0), 0u)
        << prompter.messages[0];
    EXPECT_EQ(prompter.icons[0], MessageIcon::Error);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.failed());
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == before);
}

}  // namespace
}  // namespace nbx
