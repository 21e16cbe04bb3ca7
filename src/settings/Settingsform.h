#pragma once
// TSettings: the settings dialog.
#include "platform/forms.h"

class TSettings : public vcl::TForm {
public:
    static constexpr const char* kDescription = "Settings.dfm";
};

extern TSettings* Settings;
