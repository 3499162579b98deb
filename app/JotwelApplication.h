#pragma once
// The application object: no name of its own (message boxes without a
// caption show an empty title); its main window is one MainWindow titled
// "Jotwel".

#include "framework/TApplication.h"

namespace app {

class JotwelApplication : public framework::TApplication {
public:
    JotwelApplication(int& argc, char** argv);

protected:
    void InitMainWindow() override;
};

}  // namespace app
