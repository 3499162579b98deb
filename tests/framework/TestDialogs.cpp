#include "TestDialogs.h"

#include "framework/MessageBox.h"
#include "resources/TemplateParts.h"

namespace jtest {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace resources::parts;

TestResources::TestResources() {
    dialogs_.push_back({.id = kTestDialog, .caption = "Test Dialog",
                        .x = 0, .y = 0, .width = 300, .height = 200,
                        .fontFace = "MS Sans Serif", .fontPoints = 8,
                        .contextHelp = false, .closeDisabled = false,
                        .controls = {
                            Edit(kLine, 10, 10, 100, 14, kTabStop | kBorder | kAutoHScroll),
                            Edit(kSummary, 10, 30, 100, 30,
                                 kTabStop | kBorder | kMultiLine | kWantReturn),
                            Check(kToggle, "", 120, 10, 12, 11, kTabStop | kPushLike, "Toggle"),
                            Radio(kRadioA0, "A0", 10, 70, 30, 10, kTabStop | kGroup),
                            Radio(kRadioA0 + 1, "A1", 40, 70, 30, 10),
                            Radio(kRadioA0 + 2, "A2", 70, 70, 30, 10),
                            Radio(kRadioB0, "B0", 10, 85, 30, 10, kTabStop | kGroup),
                            Radio(kRadioB0 + 1, "B1", 40, 85, 30, 10),
                            Button(kHiddenButton, "Hidden", 200, 100, 40, 14, kTabStop | kHidden),
                            Button(kDo, "Do", 200, 120, 40, 14),
                            Button(kUnbound, "Unbound", 200, 140, 40, 14),
                            Text(kLabel, "Label", 120, 30, 60, 10),
                            Text(kWideLabel, "A label far wider than its room", 200, 160, 20, 10),
                            List(kList, 10, 100, 150, 60, kTabStop | kBorder | kVScroll),
                            Edit(kNarrow, 120, 50, 30, 14),
                            Button(kIdOk, "OK", 250, 180, 40, 14),
                            Button(kIdCancel, "Cancel", 200, 180, 40, 14),
                        }});
}

const framework::DialogTemplate* TestResources::FindDialog(int id) const {
    for (const auto& dialog : dialogs_) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

const framework::MenuTemplate* TestResources::FindMenu(int) const { return nullptr; }

bool TTestDlg::HandleCommand(int id) {
    static const framework::TCommandTable<TTestDlg> table{{kDo, &TTestDlg::Do},
                                                          {1, &TTestDlg::Ok}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TTestDlg::Do() {
    log_->push_back("do");
    if (onDo) onDo(*this);
}

void TTestDlg::Ok() { log_->push_back("ok"); }

// clang-format on
}  // namespace jtest
