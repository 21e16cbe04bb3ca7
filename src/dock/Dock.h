#pragma once
// Tdockit: the dock bar, pinned to the top edge of the screen.
#include "platform/forms.h"

class Tdockit : public vcl::TForm {
public:
    static constexpr const char* kDescription = "dockit.dfm";
};

extern Tdockit* dockit;
