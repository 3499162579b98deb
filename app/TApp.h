#pragma once
// The application object: no name of its own (message boxes without a
// caption show an empty title); its main window is one TWndw titled
// "Jotwel".

#include "framework/TApplication.h"

namespace app {

class TApp : public framework::TApplication {
public:
    TApp(int& argc, char** argv);

protected:
    void InitMainWindow() override;
};

}  // namespace app
