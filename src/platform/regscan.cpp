#include "platform/regscan.h"

#include <array>

#include "platform/regnames.h"

namespace vcl::reg {
namespace {

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

constexpr std::array<std::string_view, 7> kRoots = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",    "HKEY_USERS",
    "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA", "HKEY_PERFORMANCE_DATA"};

} // namespace

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsKeyPath(std::string_view path) {
    std::size_t cut = path.find('\\');
    std::string_view root = path.substr(0, cut);
    bool known = false;
    for (auto r : kRoots) known = known || NamesEqual(root, r);
    if (!known) return false;
    while (cut != std::string_view::npos) {
        std::size_t next = path.find('\\', cut + 1);
        std::size_t len = (next == std::string_view::npos ? path.size() : next) - cut - 1;
        if (len == 0) return false;
        cut = next;
    }
    return true;
}

std::size_t ReadQuoted(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') return i + 1;
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) c = s[++i];
        out += c;
    }
    return 0;
}

Scanner::Line Scanner::LineAt(std::size_t pos) const {
    std::size_t i = pos;
    while (i < text_.size() && text_[i] != '\n' && text_[i] != '\r') ++i;
    Line line{pos, i, i};
    if (i < text_.size()) {
        line.next = i + 1;
        if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++line.next;
    }
    return line;
}

bool Scanner::Next(Entry& e) {
    if (pos_ >= text_.size()) return false;
    Line line = LineAt(pos_);
    e.kind = EntryKind::Other;
    e.begin = line.begin;
    e.contentEnd = line.end;
    e.end = line.next;
    e.path = {};
    e.name.clear();
    e.data = {};
    std::string_view body = TrimLeft(text_.substr(line.begin, line.end - line.begin));

    if (pos_ == 0) {
        e.kind = EntryKind::Header;
    } else if (!body.empty() && body[0] == '[') {
        bool del = body.size() > 1 && body[1] == '-';
        std::size_t close = body.rfind(']');
        std::size_t from = del ? 2 : 1;
        e.kind = EntryKind::BadKey;
        if (close != std::string_view::npos && close >= from) {
            e.path = body.substr(from, close - from);
            if (IsKeyPath(e.path)) e.kind = del ? EntryKind::KeyDelete : EntryKind::KeyOpen;
        }
    } else if (!body.empty() && (body[0] == '"' || body[0] == '@')) {
        std::size_t used = 1;
        if (body[0] == '"') used = ReadQuoted(body, e.name);
        if (used != 0) {
            std::string_view rest = TrimLeft(body.substr(used));
            if (!rest.empty() && rest[0] == '=') {
                ReadValue(TrimLeft(rest.substr(1)), line, e);
            } else if (body[0] == '"') {
                e.kind = EntryKind::BadValue;  // a name with no data
            }
        }
    }
    pos_ = e.end;
    return true;
}

// Byte lists may go on over following lines: each continued line ends in
// ",\" and the next one is indented. Anything else after a "\" leaves the
// value without data.
void Scanner::ReadValue(std::string_view rest, const Line& first, Entry& e) {
    e.kind = EntryKind::Value;
    e.data = rest;
    bool list = rest.size() >= 3 && (rest[0] | 0x20) == 'h' && (rest[1] | 0x20) == 'e' && (rest[2] | 0x20) == 'x';
    std::string_view part = TrimRight(rest);
    if (!list || part.empty() || part.back() != '\\') return;

    joined_.clear();
    Line line = first;
    while (!part.empty() && part.back() == '\\') {
        joined_.append(part.substr(0, part.size() - 1));
        if (line.next >= text_.size() || !IsBlank(text_[line.next])) {
            e.kind = EntryKind::BadValue;
            break;
        }
        line = LineAt(line.next);
        part = TrimRight(TrimLeft(text_.substr(line.begin, line.end - line.begin)));
        if (part.empty() || part.back() != '\\') joined_.append(part);
    }
    e.contentEnd = line.end;
    e.end = line.next;
    e.data = joined_;
}

} // namespace vcl::reg
