#include "shell/program.h"

#include "dock/Dock.h"
#include "launch/Searchthenet.h"
#include "platform/application.h"
#include "settings/Settingsform.h"
#include "shell/mainwindow.h"
#include "windows/Creditspage.h"
#include "windows/Egg1.h"
#include "windows/Ping.h"

using vcl::Application;

void CreateApplicationForms() {
    Application->Initialize();
    Application->Title = "Kestrun Tolvane!";
    Application->CreateForm(Form1);
    Application->CreateForm(SearchNet);
    Application->CreateForm(Settings);
    Application->CreateForm(Credits);
    Application->CreateForm(Egg);
    Application->CreateForm(PingIt);
    Application->CreateForm(dockit);
}

int RunProgram() {
    CreateApplicationForms();
    Application->Run();
    return 0;
}
