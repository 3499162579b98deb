#pragma once
// Dialog templates and menus as data: what a dialog or menu bar looks like,
// independent of the widgets that show it. resources/ holds one table per
// template; DialogBuilder turns a table into a Qt dialog.
//
// Positions and sizes are in dialog units: a horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its
// character height, so a template keeps its proportions whatever the font.
// Texts are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

namespace framework {

enum class ControlKind {
    PushButton,
    Edit,
    Static,       // text
    EtchedFrame,  // an etched rectangle with no text
    Icon,         // an icon resource at its standard size (32 x 32)
    Picture,      // a bitmap resource at its own size
    CheckBox,     // automatic: toggles itself when clicked
    RadioButton,  // automatic: checks itself and unchecks its group
    ListBox,
};

// Control styles (combine with |).
enum ControlStyle : std::uint32_t {
    kNoStyle = 0,
    kTabStop = 1u << 0,       // reached with Tab
    kGroup = 1u << 1,         // starts a group (radio buttons exclude each other within one)
    kDefault = 1u << 2,       // default push button: Enter presses it
    kMultiLine = 1u << 3,     // edit: several lines, word-wrapped
    kWantReturn = 1u << 4,    // multi-line edit: Enter starts a new line
    kAutoHScroll = 1u << 5,   // single-line edit scrolls; without it typing stops when full
    kAutoVScroll = 1u << 6,   // multi-line edit scrolls; without it typing stops when full
    kBorder = 1u << 7,        // thin border
    kVScroll = 1u << 8,       // vertical scroll bar
    kCenter = 1u << 9,        // centred text
    kRight = 1u << 10,        // right-aligned text
    kSunken = 1u << 11,       // sunken edge
    kPushLike = 1u << 12,     // check box drawn as a small toggle button
    kLeftText = 1u << 13,     // check box or radio button: text left of the button
    kHidden = 1u << 14,       // not visible at first
    kUseTabStops = 1u << 15,  // list box expands tabs at its tab stops
    kNotify = 1u << 16,       // list box reports selection changes
    kSort = 1u << 17,         // list box keeps its lines sorted
};

struct ControlTemplate {
    int id = -1;
    ControlKind kind = ControlKind::Static;
    std::string text;  // visible text; for Icon and Picture unused
    int x = 0, y = 0, width = 0, height = 0;
    std::uint32_t style = kNoStyle;
    int resource = 0;            // icon or bitmap resource number
    std::string accessibleName;  // for controls with no visible text
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int x = 0, y = 0, width = 0, height = 0;  // relative to the parent's client area
    std::string fontFace;                     // empty: the system font
    int fontPoints = 8;
    bool contextHelp = false;               // title bar shows the context-help button
    bool closeDisabled = false;             // the system menu's Close is greyed
    std::vector<ControlTemplate> controls;  // template order = tab order
};

struct MenuItem {
    enum class Kind { Command, Popup, Separator };
    Kind kind = Kind::Command;
    std::string text;             // "&" marks the mnemonic
    int id = 0;                   // command id (Command only)
    std::vector<MenuItem> items;  // Popup only

    static MenuItem Command(std::string text, int id) {
        return MenuItem{.kind = Kind::Command, .text = std::move(text), .id = id, .items = {}};
    }
    static MenuItem Popup(std::string text, std::vector<MenuItem> items) {
        return MenuItem{.kind = Kind::Popup, .text = std::move(text), .items = std::move(items)};
    }
    static MenuItem Separator() {
        return MenuItem{.kind = Kind::Separator, .text = {}, .items = {}};
    }
};

struct MenuTemplate {
    int id = 0;
    std::vector<MenuItem> items;  // the bar, left to right
};

}  // namespace framework
