#include "windows/Egg1.h"

TEgg* Egg = nullptr;
