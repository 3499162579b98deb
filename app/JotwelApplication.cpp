#include "app/JotwelApplication.h"

#include "app/MainWindow.h"
#include "resources/JotwelResources.h"

namespace app {

JotwelApplication::JotwelApplication(int& argc, char** argv)
    : TApplication(argc, argv, "", resources::Module()) {}

void JotwelApplication::InitMainWindow() {
    SetMainWindow(std::make_unique<app::MainWindow>(nullptr, "Jotwel"));
}

}  // namespace app
