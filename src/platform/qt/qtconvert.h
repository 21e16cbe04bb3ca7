#pragma once
// Conversions at the peer boundary: model texts are 8-bit locale text.
#include <QFont>
#include <QIcon>
#include <QString>
#include <string>

#include "platform/graphics.h"

namespace vcl::qt {

inline QString ToQ(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string FromQ(const QString& s) { return s.toLocal8Bit().toStdString(); }

QFont ToQFont(const TFont& font);
// The icon's pictures, loaded from the resources compiled into the program.
QIcon ToQIcon(const TIcon& icon);

} // namespace vcl::qt
