#include "windows/Ping.h"

TPingIt* PingIt = nullptr;
