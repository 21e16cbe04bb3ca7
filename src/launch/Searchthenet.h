#pragma once
// TSearchNet: the search dialog.
#include "platform/forms.h"

class TSearchNet : public vcl::TForm {
public:
    static constexpr const char* kDescription = "SearchNet.dfm";
};

extern TSearchNet* SearchNet;
