#include "settings/Settingsform.h"

TSettings* Settings = nullptr;
