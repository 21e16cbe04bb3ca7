#pragma once
// How key paths and value names compare: ASCII letters without case, every
// other byte as it is (so UTF-8 letters are never folded).
#include <string_view>

namespace vcl::reg {

inline char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

// `path` is `key` itself or a key below it.
inline bool PathWithin(std::string_view path, std::string_view key) {
    return path.size() >= key.size() && NamesEqual(path.substr(0, key.size()), key) &&
           (path.size() == key.size() || path[key.size()] == '\\');
}

inline bool IsRootPath(std::string_view path) { return path.find('\\') == std::string_view::npos; }

} // namespace vcl::reg
