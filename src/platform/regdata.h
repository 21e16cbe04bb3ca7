#pragma once
// Value data as written after '=' in a registry file, both ways.
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace vcl::reg {

struct ValueData {
    DWORD type = REG_NONE;
    std::string bytes;
};

enum class DataResult { Set, Delete, Bad };

// "text", dword:N, hex:list, hex(N):list, or "-" for a deletion. Anything
// else, trailing text included, is Bad.
DataResult ParseData(std::string_view data, ValueData& out);

// One value line without its final line end; long byte lists continue over
// indented lines joined by ",\" and LF. An empty name is written as @.
std::string FormatValueLine(std::string_view name, DWORD type, std::string_view bytes);

std::string FormatKeyLine(std::string_view path);

} // namespace vcl::reg
