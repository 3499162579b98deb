#pragma once
// A top-level frame window with a title, a menu bar from a menu resource, a
// small icon and a client area of one background colour. Menu commands and
// clicks on child buttons are sent to the window as commands.

#include <QColor>
#include <QPointer>
#include <string>

#include "framework/TWindow.h"

class QMainWindow;
class QMenuBar;

namespace framework {

class FrameWidget;

class TFrameWindow : public TWindow {
public:
    TFrameWindow(TWindow* parent, std::string title);
    ~TFrameWindow() override;

    // Attributes to set before Create: position and size of the whole
    // window in screen pixels, the menu resource, the client background.
    void SetPosition(int x, int y, int width, int height);
    void AssignMenu(int menuId);
    void SetBackground(QColor colour);

    // Makes the window and runs the set-up step; then Show puts it on screen.
    void Create();
    void Show();
    // Asks the window to close (CanClose); a closed main window ends the
    // application's message loop with result.
    void CloseWindow(int result = 0);

    QWidget* Widget() const override;
    // The client area, parent of child controls.
    QWidget* Client() const;
    QWidget* ClientWidget() const override { return Client(); }
    QMenuBar* MenuBar() const;
    // Sets the title-bar icon from an icon resource.
    void SetIconSm(int iconId);
    bool IsMainWindow() const { return isMain_; }
    void SetMainWindow(bool isMain) { isMain_ = isMain; }

protected:
    virtual void SetupWindow() {}
    virtual bool CanClose() { return true; }

private:
    friend class FrameWidget;
    bool OnClose();  // the widget asks; true lets it close
    void BuildMenu();

    std::string title_;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    int menuId_ = 0;
    QColor background_;
    bool isMain_ = false;
    int closeResult_ = 0;
    QPointer<FrameWidget> widget_;
};

}  // namespace framework
