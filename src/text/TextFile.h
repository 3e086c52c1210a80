// The program's own text files (the settings file and translit.tab): read with or without a
// byte-order mark, written as UTF-16 little-endian with the mark FF FE and CR LF after every line.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Strings.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace vennart::text {

// The mark decides the encoding: FF FE UTF-16 LE, FE FF UTF-16 BE, EF BB BF UTF-8; without one the
// bytes are UTF-8 when valid, else the system code page. A NUL character ends the text; lines as
// SplitLines cuts them.
std::vector<WideString> DecodeTextLines(std::string_view bytes);

// FF FE, then every line and CR LF, in UTF-16 little-endian.
AnsiString EncodeTextLines(const std::vector<WideString>& lines);

// The whole file; throws "Cannot open file <path>" when it cannot be read.
AnsiString ReadWholeFile(const std::filesystem::path& path);

std::vector<WideString> ReadTextLines(const std::filesystem::path& path);

// Replaces the file (through a link, its target) as a whole: the old content stays until the new one
// is complete on disk. Creates the file's folder when missing. Throws an error that names the file
// and the cause. Every file operation goes through fileSystem.
void WriteTextLines(const std::filesystem::path& path, const std::vector<WideString>& lines,
    platform::FileSystem& fileSystem = platform::SystemFileSystem());

} // namespace vennart::text
