// Modal runs: results, command tables, ending from a handler, nesting.
#include <QTest>

#include "FrameworkFixture.h"
#include "framework/DialogUnits.h"
#include "framework/MessageBox.h"

namespace jtest {
namespace {

using framework::testing::DialogsShown;

TEST_F(FrameworkTest, WaysOfEndingGiveTheirResults) {
    struct Case {
        const char* name;
        std::function<void(TTestDlg&)> act;
        int result;
    };
    const Case cases[] = {
        {.name = "Cancel button",
         .act = [](TTestDlg& d) { Click(d, framework::kIdCancel); },
         .result = 2},
        {.name = "Escape", .act = [](TTestDlg& d) { PressKey(d, Qt::Key_Escape); }, .result = 2},
        {.name = "close box", .act = [](TTestDlg& d) { d.Widget()->close(); }, .result = 2},
        {.name = "EndDialog", .act = [](TTestDlg& d) { d.EndDialog(108); }, .result = 108},
        {.name = "OK through the base table",
         .act =
             [](TTestDlg& d) {
                 d.interceptOk = false;
                 Click(d, framework::kIdOk);
             },
         .result = 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.act), c.result) << c.name;
        EXPECT_FALSE(DialogsShown().back().leftOpen) << c.name;
    }
}

TEST_F(FrameworkTest, OwnTableComesBeforeTheBaseAndUnboundIdsDoNothing) {
    Run([](TTestDlg& d) {
        Click(d, framework::kIdOk);  // bound by TTestDlg: logs, does not close
        Click(d, kUnbound);          // bound nowhere
        EXPECT_TRUE(d.IsRunning());
    });
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "ok"}));
    EXPECT_TRUE(DialogsShown().back().leftOpen);
}

// Two dialogs hand over to each other three times, each from its handler
// after ending itself: it hides at once, and the runs unwind innermost first.
TEST_F(FrameworkTest, EndingHidesAtOnceAndNestedRunsUnwindInnermostFirst) {
    std::vector<int> returned;
    std::function<void(TTestDlg&, int)> handOver = [&](TTestDlg& self, int depth) {
        self.EndDialog(framework::kIdCancel);
        EXPECT_FALSE(self.Widget()->isVisible());
        if (depth == 3) return;
        framework::testing::OnNextDialog([&, depth](framework::TDialog& d) {
            auto& next = static_cast<TTestDlg&>(d);
            next.onDo = [&, depth](TTestDlg& s) { handOver(s, depth + 1); };
            Click(next, kDo);
        });
        TTestDlg next(&self, &log);
        EXPECT_EQ(next.Execute(), 2);
        returned.push_back(depth + 1);
    };
    const int result = Run([&](TTestDlg& d) {
        d.onDo = [&](TTestDlg& s) { handOver(s, 0); };
        Click(d, kDo);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(returned, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(DialogsShown().size(), 4u);
    for (const auto& shown : DialogsShown()) EXPECT_FALSE(shown.leftOpen);
}

// Set up once before it shows, sized from its font, its controls found by id.
TEST_F(FrameworkTest, ADialogIsBuiltFromItsTemplate) {
    Show([this](TTestDlg& d) {
        EXPECT_TRUE(d.Widget()->isVisible());
        EXPECT_EQ(log, std::vector<std::string>{"setup"});
        const framework::DialogUnits units(d.Widget()->font());
        EXPECT_EQ(d.Widget()->size(), QSize(units.X(300), units.Y(200)));
        EXPECT_EQ(d.Control(kDo)->geometry(), units.ToPixels(200, 120, 40, 14));
        EXPECT_GT(units.baseX(), 3);
        EXPECT_GT(units.baseY(), 8);
        EXPECT_EQ(d.Control(kToggle)->objectName(), "ctl103");
        EXPECT_EQ(d.Control(kToggle)->accessibleName(), "Toggle");
        EXPECT_EQ(d.Control(999), nullptr);
    });
    const framework::DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(240, 120, 50, 14), QRect(360, 195, 75, 23));
    EXPECT_EQ(units.X(1), 2);  // 1.5 rounds away from zero
}

TEST_F(FrameworkTest, MessageBoxesAreRecordedAndAnswered) {
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    EXPECT_EQ(framework::MessageBox(nullptr, "Sure?", "Ask",
                                    framework::kMbYesNo | framework::kMbIconQuestion),
              framework::kIdYes);
    EXPECT_EQ(framework::MessageBox(nullptr, "Sure?", "Ask", framework::kMbYesNo),
              framework::kIdNo);  // unanswered Yes/No: No
    EXPECT_EQ(framework::MessageBox(nullptr, "Done\nwell"), framework::kIdOk);
    const auto& shown = framework::testing::MessageBoxesShown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].flags, framework::kMbYesNo | framework::kMbIconQuestion);
    EXPECT_EQ(shown[2].text, "Done\nwell");
    EXPECT_EQ(shown[2].caption, "");
}

}  // namespace
}  // namespace jtest
