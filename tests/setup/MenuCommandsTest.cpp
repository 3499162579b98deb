// The Setup and Help menu commands of the main window: each opens its
// dialog over the main window; every way of leaving it other than OK
// changes nothing and returns to the main window, which keeps waiting.
#include <QLabel>
#include <functional>
#include <string>

#include "SetupTest.h"
#include "app/TWndw.h"
#include "resources/ResourceIds.h"

namespace {

enum class CloseWay { kButton, kEscape, kCloseBox };

void CloseBy(framework::TDialog& d, CloseWay way, int buttonId) {
    if (way == CloseWay::kButton) jtest::Click(d, buttonId);
    if (way == CloseWay::kEscape) jtest::PressKey(d, Qt::Key_Escape);
    if (way == CloseWay::kCloseBox) d.Widget()->close();
}

void NoChange(framework::TDialog&) {}

struct MenuCase {
    int command;
    int templateId;
    const char* caption;
    int closeButton;  // 0: none
    std::function<void(framework::TDialog&)> change;
};

const MenuCase kMenuCases[] = {
    {resources::kCmSetSubjectHeadings, resources::kHeadingsDialog, "Set Subject Headings", 2,
     [](framework::TDialog& d) {
         for (int id = 101; id <= 106; ++id) jtest::Type(d, id, "new");
     }},
    {resources::kCmSetEntryPreference, resources::kEntryPreferenceDialog,
     "Default Entry Preference", 2,
     [](framework::TDialog& d) {
         jtest::Click(d, 102);
         jtest::Click(d, 103);
     }},
    {resources::kCmSetTextTitle, resources::kTextTitleDialog, "Title line for Short Text Entry ", 0,
     [](framework::TDialog& d) { jtest::Type(d, 104, "New title"); }},
    {resources::kCmGeneralHelp, resources::kGeneralHelpDialog, "General Help on Jotwel", 2,
     NoChange},
    {resources::kCmButtonEntryHelp, resources::kButtonEntryHelpDialog,
     "Help on using Button Entries", 1, NoChange},
    {resources::kCmFurtherButtonEntryHelp, resources::kHeadingsHelpDialog,
     "Help on Setting Headings for Button Entries", 1, NoChange},
    {resources::kCmTextEntryHelp, resources::kTextEntryHelpDialog, "Help with Text Entries", 1,
     NoChange},
    {resources::kCmAbout, resources::kAboutDialog, "About Jotwel", 2, NoChange},
};

class MenuCommandsTest : public jtest::SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        jtest::WriteSettings("ToDay=ToDay\r\nHead0=old 1\r\nHead1=old 2\r\nTextTit=Old\r\n");
        window_.Create();
        window_.Show();
    }
    app::TWndw window_{nullptr, "Jotwel"};
};

TEST_F(MenuCommandsTest, EachCommandOpensItsDialogAndEveryOtherCloseChangesNothing) {
    const std::string stored = jtest::SettingsBytes();
    const app::TAppValues before = app::Values();
    for (const MenuCase& c : kMenuCases) {
        for (CloseWay way : {CloseWay::kButton, CloseWay::kEscape, CloseWay::kCloseBox}) {
            if (way == CloseWay::kButton && c.closeButton == 0) continue;
            SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(static_cast<int>(way)));
            framework::testing::ResetSeams();
            framework::testing::OnNextDialog([&](framework::TDialog& d) {
                EXPECT_EQ(d.Parent(), &window_);
                EXPECT_EQ(d.Widget()->windowTitle().toStdString(), c.caption);
                c.change(d);
                CloseBy(d, way, c.closeButton);
            });
            window_.Command(c.command);
            const auto& shown = framework::testing::DialogsShown();
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].templateId, c.templateId);
            EXPECT_TRUE(jtest::LastClosedByAction());
            EXPECT_TRUE(window_.Widget()->isVisible());
            EXPECT_EQ(jtest::SettingsBytes(), stored);
            EXPECT_EQ(app::Values().headings, before.headings);
            EXPECT_EQ(app::Values().noteTitle, before.noteTitle);
            EXPECT_EQ(app::Values().todayPreference, before.todayPreference);
        }
    }
}

// The pictures and icons of the help screens are there, at their own size.
TEST_F(MenuCommandsTest, HelpScreensShowTheirPicturesAndIcons) {
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        EXPECT_EQ(jtest::ControlOf<QLabel>(d, 101)->pixmap().size(), QSize(371, 327));
        EXPECT_EQ(jtest::ControlOf<QLabel>(d, 101)->size(), QSize(371, 327));
        jtest::Click(d, 1);
    });
    window_.Command(resources::kCmFurtherButtonEntryHelp);
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        for (int id : {102, 104, 105}) {
            EXPECT_FALSE(jtest::ControlOf<QLabel>(d, id)->pixmap().isNull()) << id;
        }
        jtest::Click(d, 2);
    });
    window_.Command(resources::kCmAbout);
}

}  // namespace
