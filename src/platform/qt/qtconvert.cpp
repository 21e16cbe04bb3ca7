#include "platform/qt/qtconvert.h"

#include <QApplication>
#include <QPixmap>

#include "platform/resources.h"

namespace vcl::qt {

QFont ToQFont(const TFont& font) {
    QFont f = QApplication::font();
    // The layouts were measured with these fonts; prefer faces with the same
    // metrics (Debian's fonts-liberation2) so that texts fit their controls.
    if (font.Name == "Default" || font.Name == "MS Sans Serif") {
        f.setFamilies({"Liberation Sans", "Arimo", "Arial", f.family()});
    } else if (font.Name == "Times New Roman") {
        f.setFamilies({"Times New Roman", "Liberation Serif", "Tinos", "Nimbus Roman"});
        f.setStyleHint(QFont::Serif);
    } else {
        f.setFamily(ToQ(font.Name));
    }
    if (font.Height < 0) f.setPixelSize(-font.Height);
    else if (font.Height > 0) f.setPixelSize(font.Height * 3 / 4 + 1);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    return f;
}

QIcon ToQIcon(const TIcon& icon) {
    QIcon out;
    for (const std::string& name : icon.Resources()) {
        std::string_view bytes = FindResource(name);
        QPixmap pixmap;
        if (pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<uint>(bytes.size()), "XPM"))
            out.addPixmap(pixmap);
    }
    return out;
}

} // namespace vcl::qt
