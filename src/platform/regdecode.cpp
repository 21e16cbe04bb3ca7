#include "platform/regdecode.h"

#include <cstdint>
#include <optional>

namespace vcl::reg {
namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16LE after the byte-order mark; nothing for an odd length or a lone
// surrogate, since such a file cannot be what regedit wrote.
std::optional<std::string> Utf16ToUtf8(std::string_view bytes) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t u = unit(i);
        if (u >= 0xDC00 && u <= 0xDFFF) return std::nullopt;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= bytes.size()) return std::nullopt;
            std::uint32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(out, u);
    }
    return out;
}

} // namespace

bool HasHeader(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    std::size_t end = text.find_first_of("\r\n", start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    return line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00";
}

DecodedFile DecodeFile(std::string bytes) {
    DecodedFile out;
    if (bytes.empty()) return out;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        auto text = Utf16ToUtf8(std::string_view(bytes).substr(2));
        if (!text) {
            out.kind = FileKind::NotRegistry;
            return out;
        }
        out.text = std::move(*text);
    } else {
        out.text = std::move(bytes);
    }
    out.kind = HasHeader(out.text) ? FileKind::Registry : FileKind::NotRegistry;
    if (out.kind == FileKind::NotRegistry) out.text.clear();
    return out;
}

} // namespace vcl::reg
