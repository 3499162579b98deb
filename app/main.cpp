// Jotwel: a small personal diary. "jotwel auto" ends at once when today's
// entry has already been made.
#include <iostream>

#include "app/JotwelApplication.h"
#include "session/AppValues.h"
#include "session/CommandLine.h"
#include "session/StartupValues.h"

int main(int argc, char** argv) {
    if (const auto status = session::AnswerInformationRequest(argc, argv, std::cout)) {
        return *status;
    }
    session::Values().autoMode = session::IsAutoMode(argc, argv);
    app::JotwelApplication application(argc, argv);
    return application.Run();
}
