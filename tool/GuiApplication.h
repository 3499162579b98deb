#pragma once
// The QGuiApplication that drawing (charts, PDF) needs, made for one run
// when none exists: the program makes none for the other commands. It runs
// offscreen unless QT_QPA_PLATFORM says otherwise, so no display is needed.

#include <QGuiApplication>
#include <memory>

namespace tool {

class GuiApplicationForRun {
public:
    GuiApplicationForRun();
    ~GuiApplicationForRun();
    GuiApplicationForRun(const GuiApplicationForRun&) = delete;
    GuiApplicationForRun& operator=(const GuiApplicationForRun&) = delete;

private:
    QtMessageHandler previousHandler_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace tool
