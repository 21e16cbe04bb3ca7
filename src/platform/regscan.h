#pragma once
// Splits registry-file text into entries: one per line, except that a byte
// list continued with ",\" is one entry over all its lines. Value data are
// left as text; regdata parses them only for the value a caller wants, so a
// large file costs one pass with no decoding.
#include <cstddef>
#include <string>
#include <string_view>

namespace vcl::reg {

enum class EntryKind {
    Header,     // the first line
    Other,      // blank, comment, or a line nobody understands
    KeyOpen,    // [PATH]: starts the section of PATH
    KeyDelete,  // [-PATH]: deletes PATH and all below it
    BadKey,     // starts with '[' but names no key; ends the section
    Value,      // "Name"=data or @=data; the data may still be malformed
    BadValue    // a value line for `name` that has no data (no '=', broken continuation)
};

struct Entry {
    EntryKind kind = EntryKind::Other;
    std::size_t begin = 0;       // first byte of the first line
    std::size_t contentEnd = 0;  // end of the last line, before its line end
    std::size_t end = 0;         // past the last line's line end
    std::string_view path;       // KeyOpen, KeyDelete: ROOT\A\B
    std::string name;            // Value, BadValue: unescaped; empty for @
    std::string_view data;       // Value: the text after '=', continuations joined
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}
    // Fills `e` with the next entry; false at the end of the text. Views in
    // `e` stay valid until the next call.
    bool Next(Entry& e);

private:
    struct Line {
        std::size_t begin, end, next;  // text, line end, start of the following line
    };
    Line LineAt(std::size_t pos) const;
    void ReadValue(std::string_view rest, const Line& first, Entry& e);

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string joined_;
};

// Parses the quoted text starting at s[0] == '"'; `\\` and `\"` are the only
// escapes. Returns the length consumed including both quotes, 0 when the
// closing quote is missing.
std::size_t ReadQuoted(std::string_view s, std::string& out);

// ROOT\A\B with a known root name and no empty part.
bool IsKeyPath(std::string_view path);

bool IsBlank(char c);

} // namespace vcl::reg
