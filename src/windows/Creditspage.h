#pragma once
// TCredits: the credits window.
#include "platform/forms.h"

class TCredits : public vcl::TForm {
public:
    static constexpr const char* kDescription = "Credits.dfm";
};

extern TCredits* Credits;
