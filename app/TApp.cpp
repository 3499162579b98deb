#include "app/TApp.h"

#include "app/TWndw.h"
#include "resources/JotwelResources.h"

namespace app {

TApp::TApp(int& argc, char** argv) : TApplication(argc, argv, "", resources::Module()) {}

void TApp::InitMainWindow() { SetMainWindow(std::make_unique<TWndw>(nullptr, "Jotwel")); }

}  // namespace app
