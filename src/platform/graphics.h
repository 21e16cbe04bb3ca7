#pragma once
// Fonts and icons as the model holds them; peers turn them into real ones.
#include <string>
#include <vector>

#include "platform/types.h"

namespace vcl {

struct DfmValue;

enum class TFontCharset { Default, Ansi };

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11; // negative: character height in pixels
    TFontCharset Charset = TFontCharset::Default;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    unsigned Color = 0x80000008; // clWindowText

    // Handles "Font.Name", "Font.Height", ... ; false when the name is not a font property.
    bool SetProperty(const std::string& name, const DfmValue& value);
    bool operator==(const TFont&) const = default;
};

// An icon: one or more images of the same picture in different sizes, each a
// picture resource compiled into the program (XPM).
class TIcon {
public:
    TIcon() = default;
    explicit TIcon(std::vector<std::string> resources);
    ~TIcon();
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;
    const std::vector<std::string>& Resources() const { return resources_; }
    bool Empty() const { return resources_.empty(); }
    // A handle that stands for this icon in records such as the tray's.
    THandle Handle() const;
    static const TIcon* FromHandle(THandle handle);

private:
    std::vector<std::string> resources_;
    mutable THandle handle_ = 0;
};

// Colour names the descriptions use.
unsigned ColorFromIdent(const std::string& ident);

} // namespace vcl
