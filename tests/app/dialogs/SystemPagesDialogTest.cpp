// "Edit System Pages": the page it opens on, the pages' values and enabling, the nickname
// written on OK, and the colour button's palette driven by synthetic mouse events.

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "app/dialogs/ColourButton.h"
#include "app/dialogs/DialogTestSupport.h"
#include "platform/ProfileFile.h"

namespace nbx {
namespace {

using app::SettingsArea;
using test::Child;
using test::ClickOk;
using test::RunDriven;

class SystemPagesDialogTest : public test::SettingsDialogFixture {};

TEST_F(SystemPagesDialogTest, OpensOnThePageTheSummaryRowAsksFor) {
    const std::pair<int, int> sections[] = {{0, 0}, {1, 0}, {3, 1}, {4, 2}, {5, 3}, {9, 0}};
    for (const auto& [section, tab] : sections) {
        context.systemPage = section;
        RunDriven(SettingsArea::SystemPages, document, context, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Edit System Pages");
            auto* pages = Child<QTabWidget>(d, "pages");
            ASSERT_EQ(pages->count(), 4);
            EXPECT_EQ(pages->tabText(3), "Colors");
            EXPECT_EQ(pages->currentIndex(), tab) << section;
            const char* const classes[] = {"nbx::app::CPPSPAbout", "nbx::app::CPPSPSearch",
                                           "nbx::app::CPPSPTOC", "nbx::app::CPPSPColors"};
            EXPECT_TRUE(pages->currentWidget()->inherits(classes[tab]));
            if (section == 0) {
                test::SaveScreenshot(d, "system_pages_about");
            } else if (section == 4) {
                test::SaveScreenshot(d, "system_pages_contents");
            } else if (section == 5) {
                test::SaveScreenshot(d, "system_pages_colors");
            } else if (section == 3) {
                test::SaveScreenshot(d, "system_pages_search");
            }
        });
    }
}

TEST_F(SystemPagesDialogTest, PagesShowValuesFollowTheKindAndOkStoresThem) {
    const bool confirmed = RunDriven(SettingsArea::SystemPages, document, context, [&](QDialog& d) {
        auto* kind = Child<QComboBox>(d, "aboutKind");
        auto* file = Child<QComboBox>(d, "aboutFile");
        auto* nickname = Child<QLineEdit>(d, "nickname");
        EXPECT_EQ(kind->currentText(), "My Own Page");
        ASSERT_EQ(file->count(), 2);  // HTML files only, in project order
        EXPECT_EQ(file->itemText(0), "index.htm");
        EXPECT_EQ(file->currentText(), "about.htm");
        EXPECT_EQ(nickname->text(), "seller");
        EXPECT_EQ(nickname->maxLength(), 32);
        EXPECT_TRUE(file->isEnabled());
        EXPECT_FALSE(nickname->isEnabled());
        kind->setCurrentIndex(1);  // Disabled: both off
        EXPECT_FALSE(file->isEnabled());
        EXPECT_FALSE(nickname->isEnabled());
        kind->setCurrentIndex(0);  // generated: the nickname only
        EXPECT_FALSE(file->isEnabled());
        EXPECT_TRUE(nickname->isEnabled());
        nickname->setText("newseller");

        EXPECT_EQ(Child<QComboBox>(d, "contentsKind")->currentText(), "Disabled");
        EXPECT_FALSE(Child<QComboBox>(d, "contentsFile")->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(d, "contentsDescriptions")->isEnabled());
        Child<QComboBox>(d, "contentsKind")->setCurrentIndex(2);
        EXPECT_TRUE(Child<QComboBox>(d, "contentsFile")->isEnabled());
        Child<QComboBox>(d, "contentsFile")->setCurrentIndex(0);
        EXPECT_FALSE(Child<QCheckBox>(d, "searchShowMatch")->isChecked());
        Child<QCheckBox>(d, "searchShowMatch")->setChecked(true);
        EXPECT_EQ(Child<app::ColourButton>(d, "colourBackground")->colour(), 0x00336699u);
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    const Project& p = document.project();
    EXPECT_EQ(p.aboutPage, 0);
    EXPECT_EQ(p.aboutFile, "about.htm");
    EXPECT_EQ(p.affiliateNickname, "newseller");
    EXPECT_EQ(p.contentsPage, 2);
    EXPECT_EQ(p.contentsFile, "index.htm");
    EXPECT_EQ(p.searchShowMatch, 1);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(platform::ReadProfileString("QUORLIN.INI", "EBook", "NickName", ""), "newseller");
}

TEST_F(SystemPagesDialogTest, CancelWritesNeitherProjectNorNickname) {
    platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", "before");
    const ProjectSettings before = document.project();
    EXPECT_FALSE(RunDriven(SettingsArea::SystemPages, document, context, [](QDialog& d) {
        Child<QLineEdit>(d, "nickname")->setText("other");
        Child<QComboBox>(d, "aboutKind")->setCurrentIndex(1);
        test::ClickCancel(d);
    }));
    EXPECT_EQ(static_cast<const ProjectSettings&>(document.project()), before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(platform::ReadProfileString("QUORLIN.INI", "EBook", "NickName", ""), "before");
}

TEST_F(SystemPagesDialogTest, ExcludedAboutFileIsNotOfferedAndStoresEmpty) {
    document.project().files[1].excluded = 1;
    EXPECT_TRUE(RunDriven(SettingsArea::SystemPages, document, context, [](QDialog& d) {
        auto* file = Child<QComboBox>(d, "aboutFile");
        EXPECT_EQ(file->count(), 1);
        EXPECT_EQ(file->currentIndex(), -1);
        ClickOk(d);
    }));
    EXPECT_EQ(document.project().aboutFile, "");
}

// Drives the palette of button once it is open: presses at `press` and releases at
// `release`; closed tells whether that closed it (else it is closed outside the grid).
void DrivePalette(app::ColourButton& button, QPoint press, QPoint release, bool& closed) {
    QTimer::singleShot(0, [&button, press, release, &closed] {
        app::ColourPaletteWindow* palette = button.palette();
        ASSERT_NE(palette, nullptr);
        closed = false;
        QObject::connect(palette, &app::ColourPaletteWindow::closed, [&closed] { closed = true; });
        QTest::mousePress(palette, Qt::LeftButton, {}, press);
        QTest::mouseRelease(palette, Qt::LeftButton, {}, release);
        const bool closedByRelease = closed;
        if (!closedByRelease) {
            QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(438, 294));
            QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(438, 294));
        }
        closed = closedByRelease;
    });
}

TEST_F(SystemPagesDialogTest, PaletteChoosesOnlyOnReleaseOverThePressedCell) {
    context.systemPage = 5;
    const bool confirmed = RunDriven(SettingsArea::SystemPages, document, context, [&](QDialog& d) {
        auto* button = Child<app::ColourButton>(d, "colourText");
        ASSERT_EQ(button->colour(), 0u);

        // Open: placed by the rules, a pop-up of the dialog (the one window that takes input
        // while the modal dialog runs; the real program is driven in tests/app/
        // ModalDriveTest.sh); a screenshot of it.
        bool checkedOpen = false;
        QTimer::singleShot(0, [&] {
            app::ColourPaletteWindow* palette = button->palette();
            ASSERT_NE(palette, nullptr);
            EXPECT_EQ(palette->windowType(), Qt::Popup);
            EXPECT_EQ(QApplication::activePopupWidget(), palette);
            EXPECT_EQ(palette->size(), QSize(440, 296));
            const QPoint at = button->mapToGlobal(QPoint(0, 0));
            const QRect screen = button->screen()->geometry();
            const PalettePoint expected =
                PalettePlacement(at.x(), at.y(), screen.width(), screen.height());
            EXPECT_EQ(palette->pos(), QPoint(expected.x, expected.y));
            QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(30, 30));
            EXPECT_EQ(palette->tracker().pressedCell(), (PaletteCell{1, 1}));
            test::SaveScreenshot(*palette, "colour_palette");
            QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(60, 30));  // another cell
            EXPECT_FALSE(palette->tracker().pressedCell());
            EXPECT_TRUE(palette->isVisible());  // beeped and stayed open
            checkedOpen = true;
            QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(500, 500));
            QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(500, 500));
        });
        button->click();
        EXPECT_TRUE(checkedOpen);
        EXPECT_TRUE(d.isEnabled());
        EXPECT_EQ(button->colour(), 0u);  // closed outside the grid: no change

        bool closed = false;
        DrivePalette(*button, QPoint(30, 30), QPoint(60, 30), closed);  // released elsewhere
        button->click();
        EXPECT_FALSE(closed);
        EXPECT_EQ(button->colour(), 0u);
        DrivePalette(*button, QPoint(30, 30), QPoint(40, 45), closed);  // the same cell
        button->click();
        EXPECT_TRUE(closed);
        EXPECT_EQ(button->colour(), PaletteColour({1, 1}));
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(document.project().colors[kColourText], PaletteColour({1, 1}));
    EXPECT_EQ(document.project().colors[kColourBackground], 0x00336699u);
}

}  // namespace
}  // namespace nbx
