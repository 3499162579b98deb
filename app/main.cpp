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
    // Decided before the application object: at log-on on a day already
    // entered nothing is made, so no window flashes up.
    if (session::EndsBeforeAnyWindow(argc, argv, session::Values())) return 0;
    app::JotwelApplication application(argc, argv);
    return application.Run();
}
