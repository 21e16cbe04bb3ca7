#include "platform/regdoc.h"

#include "platform/regnames.h"
#include "platform/regscan.h"

namespace vcl::reg {
namespace {

// Follows one key through the file: whether it exists so far and whether the
// current section is its own.
struct KeyWalk {
    std::string_view key;
    bool exists;
    bool inSection = false;
    bool deletedHere = false;

    explicit KeyWalk(std::string_view k) : key(k), exists(IsRootPath(k)) {}

    void Step(const Entry& e) {
        deletedHere = false;
        switch (e.kind) {
        case EntryKind::KeyOpen:
            inSection = NamesEqual(e.path, key);
            if (PathWithin(e.path, key)) exists = true;
            break;
        case EntryKind::KeyDelete:
            inSection = false;
            if (PathWithin(key, e.path)) {
                exists = IsRootPath(key);
                deletedHere = true;
            }
            break;
        case EntryKind::BadKey:
            inSection = false;
            break;
        default:
            break;
        }
    }

    bool OwnValue(const Entry& e) const {
        return inSection && (e.kind == EntryKind::Value || e.kind == EntryKind::BadValue);
    }
};

bool EndsLine(std::string_view text) { return !text.empty() && (text.back() == '\n' || text.back() == '\r'); }

std::string AppendSection(std::string_view text, std::string_view path, const std::string* line) {
    std::string out = text.empty() ? std::string("REGEDIT4\n") : std::string(text);
    if (!EndsLine(out)) out += '\n';
    out += '\n';
    out += FormatKeyLine(path);
    out += '\n';
    if (line) {
        out += *line;
        out += '\n';
    }
    return out;
}

} // namespace

bool KeyExists(std::string_view text, std::string_view path) {
    KeyWalk walk(path);
    Scanner scanner(text);
    Entry e;
    while (scanner.Next(e)) walk.Step(e);
    return walk.exists;
}

Lookup FindValue(std::string_view text, std::string_view path, std::string_view name, ValueData& out) {
    KeyWalk walk(path);
    Scanner scanner(text);
    Entry e;
    bool found = false;
    while (scanner.Next(e)) {
        walk.Step(e);
        if (walk.deletedHere) found = false;
        if (walk.OwnValue(e) && NamesEqual(e.name, name))
            found = e.kind == EntryKind::Value && ParseData(e.data, out) == DataResult::Set;
    }
    if (!walk.exists) return Lookup::NoKey;
    return found ? Lookup::Found : Lookup::NoValue;
}

std::optional<std::string> WithKey(std::string_view text, std::string_view path) {
    if (KeyExists(text, path)) return std::nullopt;
    return AppendSection(text, path, nullptr);
}

std::optional<std::string> WithValue(std::string_view text, std::string_view path, std::string_view name,
                                     DWORD type, std::string_view bytes) {
    KeyWalk walk(path);
    Scanner scanner(text);
    Entry e;
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t sectionEnd = kNone;          // where a new line joins the key's last section
    std::optional<Entry> last;               // the line that last set, deleted or garbled the value
    bool unchanged = false;                  // that line already holds the new data
    ValueData seen;
    while (scanner.Next(e)) {
        walk.Step(e);
        if (walk.deletedHere) {
            sectionEnd = kNone;
            last.reset();
        }
        if (e.kind == EntryKind::KeyOpen && walk.inSection) sectionEnd = e.end;
        if (walk.OwnValue(e)) {
            sectionEnd = e.end;
            if (NamesEqual(e.name, name)) {
                last = e;
                unchanged = e.kind == EntryKind::Value && ParseData(e.data, seen) == DataResult::Set &&
                            seen.type == type && seen.bytes == bytes;
            }
        }
    }
    if (!walk.exists) return std::nullopt;

    if (last && unchanged) return std::string(text);  // keep the person's spelling of the line
    if (last) {
        std::string line = FormatValueLine(last->name, type, bytes);
        std::string out;
        out.reserve(text.size() + line.size());
        out.append(text.substr(0, last->begin)).append(line).append(text.substr(last->contentEnd));
        return out;
    }
    std::string line = FormatValueLine(name, type, bytes);
    if (sectionEnd == kNone) return AppendSection(text, path, &line);
    std::string out;
    out.reserve(text.size() + line.size() + 2);
    out.append(text.substr(0, sectionEnd));
    if (!EndsLine(out)) out += '\n';
    out.append(line).append("\n").append(text.substr(sectionEnd));
    return out;
}

} // namespace vcl::reg
