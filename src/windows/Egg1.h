#pragma once
// TEgg: the greeting window.
#include "platform/forms.h"

class TEgg : public vcl::TForm {
public:
    static constexpr const char* kDescription = "Egg.dfm";
};

extern TEgg* Egg;
