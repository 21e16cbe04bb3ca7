#include "launch/Searchthenet.h"

TSearchNet* SearchNet = nullptr;
