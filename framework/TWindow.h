#pragma once
// The base of every window and dialog: a parent, a widget, and command
// dispatch through command tables.

#include <initializer_list>
#include <utility>
#include <vector>

class QWidget;

namespace framework {

class TWindow {
public:
    explicit TWindow(TWindow* parent) : parent_(parent) {}
    virtual ~TWindow() = default;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    TWindow* Parent() const { return parent_; }
    // The window's widget; nullptr before it is created.
    virtual QWidget* Widget() const = 0;
    // The area that child windows and dialogs are placed relative to.
    virtual QWidget* ClientWidget() const { return Widget(); }

    // Sends command id to the window: its own command table is searched, then
    // its base classes'. An id that no table binds does nothing.
    void Command(int id) { HandleCommand(id); }

protected:
    // Overrides dispatch through their own TCommandTable and then call the
    // base class's HandleCommand. Returns whether some table bound the id.
    virtual bool HandleCommand(int /*id*/) { return false; }

private:
    TWindow* parent_;
};

// A class's command table: command ids bound to its member handlers.
//
//   bool HeadingsDialog::HandleCommand(int id) {
//       static const TCommandTable<HeadingsDialog> table{{1, &HeadingsDialog::SaveHeadings}};
//       return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
//   }
template <class T>
class TCommandTable {
public:
    using Handler = void (T::*)();
    TCommandTable(std::initializer_list<std::pair<int, Handler>> entries) : entries_(entries) {}

    // Runs the handler bound to id; false when the table does not bind it.
    bool Dispatch(T& target, int id) const {
        for (const auto& [boundId, handler] : entries_) {
            if (boundId == id) {
                (target.*handler)();
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::pair<int, Handler>> entries_;
};

}  // namespace framework
