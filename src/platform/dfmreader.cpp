#include "platform/dfmreader.h"

#include <cctype>

#include "platform/exception.h"

namespace vcl {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    DfmObject ParseRoot() {
        SkipSpace();
        DfmObject root = ParseObject();
        SkipSpace();
        if (pos_ < s_.size()) Fail("text after the last 'end'");
        return root;
    }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
    int line_ = 1;

    [[noreturn]] void Fail(const std::string& what) const {
        throw Exception("Form description, line " + std::to_string(line_) + ": " + what);
    }

    void SkipSpace() {
        while (pos_ < s_.size()) {
            char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
                while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    static bool IdentChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    }

    std::string Ident() {
        SkipSpace();
        std::size_t start = pos_;
        while (pos_ < s_.size() && IdentChar(s_[pos_])) ++pos_;
        if (start == pos_) Fail("name expected");
        return std::string(s_.substr(start, pos_ - start));
    }

    void Expect(char c) {
        SkipSpace();
        if (pos_ >= s_.size() || s_[pos_] != c) Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    bool Peek(char c) {
        SkipSpace();
        return pos_ < s_.size() && s_[pos_] == c;
    }

    DfmObject ParseObject() {
        DfmObject obj;
        obj.line = line_;
        if (Ident() != "object") Fail("'object' expected");
        obj.name = Ident();
        Expect(':');
        obj.className = Ident();
        for (;;) {
            SkipSpace();
            if (pos_ >= s_.size()) Fail("'end' missing for " + obj.name);
            std::size_t save = pos_;
            int saveLine = line_;
            std::string word = Ident();
            if (word == "end") return obj;
            if (word == "object") {
                pos_ = save;
                line_ = saveLine;
                obj.children.push_back(ParseObject());
                continue;
            }
            Expect('=');
            obj.properties.emplace_back(word, ParseValue());
        }
    }

    // 'text' pieces and #nn character codes, joined when they touch or by '+'
    // (which may stand at a line end); pieces apart are separate list strings.
    std::string StringValue() {
        std::string out;
        SkipSpace();
        for (;;) {
            if (pos_ < s_.size() && s_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
                    char c = s_[pos_++];
                    if (c == '\'') {
                        if (pos_ < s_.size() && s_[pos_] == '\'') {
                            out += '\'';
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    out += c;
                }
            } else if (pos_ < s_.size() && s_[pos_] == '#') {
                ++pos_;
                std::size_t start = pos_;
                while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
                if (start == pos_) Fail("character code expected after '#'");
                int code = std::stoi(std::string(s_.substr(start, pos_ - start)));
                if (code > 255) Fail("character code above 255");
                out += static_cast<char>(code);
            } else {
                std::size_t save = pos_;
                int saveLine = line_;
                SkipSpace();
                if (pos_ < s_.size() && s_[pos_] == '+') {
                    ++pos_;
                    SkipSpace();
                    continue;
                }
                pos_ = save;
                line_ = saveLine;
                return out;
            }
        }
    }

    DfmValue ParseValue() {
        SkipSpace();
        if (pos_ >= s_.size()) Fail("value expected");
        DfmValue v;
        char c = s_[pos_];
        if (c == '\'' || c == '#') {
            v.kind = DfmValue::Kind::String;
            v.text = StringValue();
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            v.kind = DfmValue::Kind::Integer;
            std::size_t start = pos_++;
            while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            std::string digits(s_.substr(start, pos_ - start));
            if (digits == "-") Fail("number expected");
            v.integer = std::stoll(digits);
        } else if (c == '[') {
            ++pos_;
            v.kind = DfmValue::Kind::Set;
            while (!Peek(']')) {
                v.items.push_back(Ident());
                if (!Peek(']')) Expect(',');
            }
            Expect(']');
        } else if (c == '(') {
            ++pos_;
            v.kind = DfmValue::Kind::List;
            while (!Peek(')')) {
                SkipSpace();
                if (pos_ >= s_.size() || (s_[pos_] != '\'' && s_[pos_] != '#')) Fail("string expected in list");
                v.items.push_back(StringValue());
            }
            Expect(')');
        } else {
            v.kind = DfmValue::Kind::Ident;
            v.text = Ident();
        }
        return v;
    }
};

[[noreturn]] void WrongKind(const std::string& prop, const char* wanted) {
    throw Exception("Property " + prop + ": " + wanted + " expected");
}

} // namespace

long long DfmValue::AsInteger(const std::string& prop) const {
    if (kind != Kind::Integer) WrongKind(prop, "number");
    return integer;
}

int DfmValue::AsInt(const std::string& prop) const {
    long long n = AsInteger(prop);
    if (n < -1000000 || n > 1000000) throw Exception("Property " + prop + ": number out of range");
    return static_cast<int>(n);
}

const std::string& DfmValue::AsString(const std::string& prop) const {
    if (kind != Kind::String) WrongKind(prop, "string");
    return text;
}

const std::string& DfmValue::AsIdent(const std::string& prop) const {
    if (kind != Kind::Ident) WrongKind(prop, "name");
    return text;
}

bool DfmValue::AsBool(const std::string& prop) const {
    if (kind == Kind::Ident && text == "True") return true;
    if (kind == Kind::Ident && text == "False") return false;
    WrongKind(prop, "True or False");
}

const std::vector<std::string>& DfmValue::AsSet(const std::string& prop) const {
    if (kind != Kind::Set) WrongKind(prop, "set");
    return items;
}

const std::vector<std::string>& DfmValue::AsList(const std::string& prop) const {
    if (kind != Kind::List) WrongKind(prop, "list of strings");
    return items;
}

DfmObject ParseDfm(std::string_view text) { return Parser(text).ParseRoot(); }

} // namespace vcl
