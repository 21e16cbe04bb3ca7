#include "platform/graphics.h"

#include <map>

#include "platform/dfmreader.h"
#include "platform/exception.h"

namespace vcl {

namespace {
std::map<THandle, const TIcon*>& IconHandles() {
    static std::map<THandle, const TIcon*> handles;
    return handles;
}
THandle nextIconHandle = 0x1000;
} // namespace

bool TFont::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "Font.Name") Name = value.AsString(name);
    else if (name == "Font.Height") Height = value.AsInt(name);
    else if (name == "Font.Color") Color = ColorFromIdent(value.AsIdent(name));
    else if (name == "Font.Charset") {
        const std::string& cs = value.AsIdent(name);
        if (cs == "ANSI_CHARSET") Charset = TFontCharset::Ansi;
        else if (cs == "DEFAULT_CHARSET") Charset = TFontCharset::Default;
        else throw Exception("Unknown character set " + cs);
    } else if (name == "Font.Style") {
        Bold = Italic = Underline = false;
        for (const std::string& s : value.AsSet(name)) {
            if (s == "fsBold") Bold = true;
            else if (s == "fsItalic") Italic = true;
            else if (s == "fsUnderline") Underline = true;
            else throw Exception("Unknown font style " + s);
        }
    } else {
        return false;
    }
    return true;
}

unsigned ColorFromIdent(const std::string& ident) {
    static const std::map<std::string, unsigned> colors = {
        {"clWindowText", 0x80000008}, {"clBtnFace", 0x8000000F}, {"clWindow", 0x80000005},
        {"clBlack", 0x000000},        {"clWhite", 0xFFFFFF},     {"clNavy", 0x800000},
        {"clMaroon", 0x000080},       {"clBlue", 0xFF0000},      {"clRed", 0x0000FF},
    };
    auto it = colors.find(ident);
    if (it == colors.end()) throw Exception("Unknown colour " + ident);
    return it->second;
}

TIcon::TIcon(std::vector<std::string> resources) : resources_(std::move(resources)) {}

TIcon::~TIcon() {
    if (handle_) IconHandles().erase(handle_);
}

THandle TIcon::Handle() const {
    if (Empty()) return 0;
    if (!handle_) {
        handle_ = nextIconHandle++;
        IconHandles()[handle_] = this;
    }
    return handle_;
}

const TIcon* TIcon::FromHandle(THandle handle) {
    auto it = IconHandles().find(handle);
    return it == IconHandles().end() ? nullptr : it->second;
}

} // namespace vcl
