#pragma once
// TPingIt: the ping dialog.
#include "platform/forms.h"

class TPingIt : public vcl::TForm {
public:
    static constexpr const char* kDescription = "PingIt.dfm";
};

extern TPingIt* PingIt;
