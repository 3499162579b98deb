// Jotwel: a small personal diary. "jotwel auto" ends at once when today's
// entry has already been made.
#include "app/AppValues.h"
#include "app/StartupValues.h"
#include "app/TApp.h"

int main(int argc, char** argv) {
    app::Values().autoMode = app::IsAutoMode(argc, argv);
    app::TApp application(argc, argv);
    return application.Run();
}
