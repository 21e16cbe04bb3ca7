// Program entry: the Qt backend draws the windows; the program itself starts
// and runs through the class library.
#include "platform/application.h"
#include "platform/displaychoice.h"
#include "platform/qt/qtbackend.h"
#include "platform/sysutils.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    vcl::PreferX11OnWayland();
    auto backend = vcl::CreateQtBackend(argc, argv);
    vcl::SetCommandLine(argc, argv);
    vcl::TApplication application;
    return RunProgram();
}
