#pragma once
// Reading and editing one key's values in registry-file text. The file is
// read the way an import runs it, top to bottom: a later line for the same
// value wins, [-KEY] removes the key and everything below it, and [KEY] (or
// any key below it) brings the key back. Edits change one spot of the text
// and keep every other byte.
#include <optional>
#include <string>
#include <string_view>

#include "platform/regdata.h"

namespace vcl::reg {

// `text` is decoded registry-file text, or empty for a file with no bytes.
// `path` is ROOT\A\B; a root always exists.
bool KeyExists(std::string_view text, std::string_view path);

enum class Lookup { NoKey, NoValue, Found };

// A malformed or deleted value is NoValue.
Lookup FindValue(std::string_view text, std::string_view path, std::string_view name, ValueData& out);

// The text with a section for `path` appended; nothing when the key exists.
std::optional<std::string> WithKey(std::string_view text, std::string_view path);

// The text with the value set: the line that last set, deleted or garbled it
// is replaced (keeping that line's name spelling and line end), or a line is
// added at the end of the key's last section, or a section is appended. A
// line that already holds these data stays as the person wrote it. Nothing
// when the key does not exist.
std::optional<std::string> WithValue(std::string_view text, std::string_view path, std::string_view name,
                                     DWORD type, std::string_view bytes);

} // namespace vcl::reg
