#include "dock/Dock.h"

Tdockit* dockit = nullptr;
