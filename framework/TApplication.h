#pragma once
// The application object: owns the Qt application (unless one exists
// already, as in tests), creates the main window and runs the message loop.

#include <QApplication>
#include <memory>
#include <string>

#include "framework/TFrameWindow.h"

namespace framework {

class TResourceModule;

class TApplication {
public:
    // name: the application's name, shown as the title of message boxes
    // that have no caption of their own (empty: an empty title).
    TApplication(int& argc, char** argv, std::string name, const TResourceModule& resources);
    virtual ~TApplication();

    // Creates the main window, shows it and runs the message loop. Returns
    // the loop's result: the value given to PostQuitMessage.
    int Run();

    TFrameWindow* MainWindow() const { return mainWindow_.get(); }
    const std::string& Name() const { return name_; }

    // Ends the message loop with result once control returns to it. Posted
    // before the loop starts, it ends the loop as soon as it runs.
    static void PostQuitMessage(int result);

protected:
    // Makes the main window and hands it over with SetMainWindow.
    virtual void InitMainWindow() = 0;
    void SetMainWindow(std::unique_ptr<TFrameWindow> window);

private:
    std::unique_ptr<QApplication> ownApp_;
    std::string name_;
    std::unique_ptr<TFrameWindow> mainWindow_;
};

}  // namespace framework
