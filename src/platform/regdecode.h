#pragma once
// Turns the bytes of a registry file into 8-bit text, deciding first whether
// they are a registry file at all.
#include <string>
#include <string_view>

namespace vcl::reg {

enum class FileKind {
    Empty,       // zero bytes: holds no keys, and a write may fill it
    Registry,    // a header line, decoded text in `text`
    NotRegistry  // anything else; must never be overwritten
};

struct DecodedFile {
    FileKind kind = FileKind::Empty;
    std::string text;
};

// Files starting with FF FE are UTF-16LE and come back as UTF-8; other files
// are taken as they are.
DecodedFile DecodeFile(std::string bytes);

// The first line, after leading blanks, is exactly one of the two headers.
bool HasHeader(std::string_view text);

} // namespace vcl::reg
