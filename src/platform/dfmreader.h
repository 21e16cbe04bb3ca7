#pragma once
// Reader for form descriptions: the nested "object Name: TClass ... end" text
// that fixes each window's layout, component settings and event wiring.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vcl {

struct DfmValue {
    enum class Kind { Integer, String, Ident, Set, List };
    Kind kind = Kind::Integer;
    long long integer = 0;
    std::string text;               // String and Ident
    std::vector<std::string> items; // Set members or List strings

    long long AsInteger(const std::string& prop) const;
    int AsInt(const std::string& prop) const;
    const std::string& AsString(const std::string& prop) const;
    const std::string& AsIdent(const std::string& prop) const;
    bool AsBool(const std::string& prop) const;
    const std::vector<std::string>& AsSet(const std::string& prop) const;
    const std::vector<std::string>& AsList(const std::string& prop) const;
};

struct DfmObject {
    std::string name;
    std::string className;
    std::vector<std::pair<std::string, DfmValue>> properties; // in file order
    std::vector<DfmObject> children;
    int line = 0;
};

// Parses one description; throws vcl::Exception naming the line on bad syntax.
DfmObject ParseDfm(std::string_view text);

} // namespace vcl
