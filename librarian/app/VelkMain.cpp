// The program's entry: reads the options (the usage and option errors need
// no display), then runs the application.
#include <cstdio>
#include <string>
#include <vector>

#include <wx/app.h>

#include "editors/wx/CWxEditorOpener.h"
#include "librarian/VelkCommandLine.h"
#include "librarian/wx/CVelkApp.h"

wxIMPLEMENT_APP_NO_MAIN(CVelkApp);

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const VelkOptionsResult result = ParseVelkOptions(args);
    if (!result.options) {
        std::fprintf(stderr, "%s: %s\n%s", argv[0], result.error.c_str(), VelkUsage(argv[0]).c_str());
        return 2;
    }
    if (result.options->help) {
        std::fputs(VelkUsage(argv[0]).c_str(), stdout);
        return 0;
    }
    CVelkApp::SetOptions(*result.options);
    CVelkApp::SetItemOpenerFactory(
        [](CVelkSession& session) { return CWxEditorOpener::ForSession(session); });
    // wx reads only its own options; ours were taken above.
    int wxArgc = 1;
    return wxEntry(wxArgc, argv);
}
