#include "platform/regdata.h"

#include "platform/regscan.h"

namespace vcl::reg {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(c | 0x20);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (static_cast<char>(s[i] | 0x20) != prefix[i]) return false;
    return true;
}

bool OnlyBlanks(std::string_view s) {
    for (char c : s)
        if (!IsBlank(c)) return false;
    return true;
}

// 1 to `maxDigits` hex digits at s[pos]; advances pos. What follows is the
// caller's to check.
bool ReadHexNumber(std::string_view s, std::size_t& pos, std::size_t maxDigits, DWORD& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < s.size() && pos - start < maxDigits && HexDigit(s[pos]) >= 0)
        value = (value << 4) | static_cast<DWORD>(HexDigit(s[pos++]));
    return pos > start;
}

// Comma-separated bytes of one or two hex digits, blanks around each; a
// trailing comma is allowed, an empty item is not.
bool ReadByteList(std::string_view s, std::string& out) {
    out.clear();
    std::size_t pos = 0;
    auto skip = [&] {
        while (pos < s.size() && IsBlank(s[pos])) ++pos;
    };
    skip();
    while (pos < s.size()) {
        DWORD b = 0;
        if (!ReadHexNumber(s, pos, 2, b)) return false;
        out += static_cast<char>(b);
        skip();
        if (pos == s.size()) break;
        if (s[pos] != ',') return false;
        ++pos;
        skip();
    }
    return true;
}

bool QuotableText(std::string_view bytes) {
    for (char c : bytes) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

const char kHex[] = "0123456789abcdef";

std::string HexNumber(DWORD v, int minDigits) {
    std::string out;
    for (int shift = 28; shift >= 0; shift -= 4) {
        auto d = (v >> shift) & 0xF;
        if (!out.empty() || d != 0 || shift < minDigits * 4) out += kHex[d];
    }
    return out;
}

} // namespace

DataResult ParseData(std::string_view data, ValueData& out) {
    out.bytes.clear();
    std::size_t pos = 0;
    if (!data.empty() && data[0] == '"') {
        std::size_t used = ReadQuoted(data, out.bytes);
        if (used == 0 || !OnlyBlanks(data.substr(used))) return DataResult::Bad;
        out.type = REG_SZ;
        return DataResult::Set;
    }
    if (data.size() >= 1 && data[0] == '-' && OnlyBlanks(data.substr(1))) return DataResult::Delete;
    if (StartsWithNoCase(data, "dword:")) {
        pos = 6;
        DWORD v = 0;
        if (!ReadHexNumber(data, pos, 8, v) || !OnlyBlanks(data.substr(pos))) return DataResult::Bad;
        for (int i = 0; i < 4; ++i) out.bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
        out.type = REG_DWORD;
        return DataResult::Set;
    }
    if (StartsWithNoCase(data, "hex:")) {
        out.type = REG_BINARY;
        return ReadByteList(data.substr(4), out.bytes) ? DataResult::Set : DataResult::Bad;
    }
    if (StartsWithNoCase(data, "hex(")) {
        pos = 4;
        DWORD type = 0;
        if (!ReadHexNumber(data, pos, 8, type) || data.substr(pos, 2) != "):") return DataResult::Bad;
        out.type = type;
        return ReadByteList(data.substr(pos + 2), out.bytes) ? DataResult::Set : DataResult::Bad;
    }
    return DataResult::Bad;
}

std::string FormatValueLine(std::string_view name, DWORD type, std::string_view bytes) {
    std::string line = name.empty() ? std::string("@") : Quote(name);
    line += '=';
    if (type == REG_SZ && QuotableText(bytes)) return line + Quote(bytes);
    if (type == REG_DWORD && bytes.size() == 4) {
        DWORD v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        return line + "dword:" + HexNumber(v, 8);
    }
    line += type == REG_BINARY ? std::string("hex:") : "hex(" + HexNumber(type, 1) + "):";

    // Wrap the way regedit does, so a person can still read long lists.
    constexpr std::size_t kWidth = 76;
    std::size_t column = line.size();
    line.reserve(line.size() + bytes.size() * 3 + bytes.size() / 20 * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && column + 3 > kWidth) {
            line += "\\\n  ";
            column = 2;
        }
        auto b = static_cast<unsigned char>(bytes[i]);
        line += kHex[b >> 4];
        line += kHex[b & 0xF];
        column += 2;
        if (i + 1 < bytes.size()) {
            line += ',';
            ++column;
        }
    }
    return line;
}

std::string FormatKeyLine(std::string_view path) {
    std::string line = "[";
    line.append(path);
    line += ']';
    return line;
}

} // namespace vcl::reg
