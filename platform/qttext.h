// Texts between the programs (single-byte, the system's code page) and Qt.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace wt {

inline QString ToQt(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace wt
