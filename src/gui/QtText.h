// Deliberate conversions between the core's text and paths and Qt's strings. Wide text and QString
// are both UTF-16, so those two convert without loss; paths go through Qt's file-name encoding.
#pragma once

#include "platform/Strings.h"

#include <QString>
#include <filesystem>

namespace vennart::gui {

inline QString ToQString(const WideString& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline WideString ToWide(const QString& text)
{
    return WideString(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

QString ToQString(const std::filesystem::path& path);
std::filesystem::path ToPath(const QString& path);

} // namespace vennart::gui
