#include "windows/Creditspage.h"

TCredits* Credits = nullptr;
