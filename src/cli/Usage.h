// What the tool prints about how to call it.
#pragma once

#include <string_view>

namespace vennart::cli {

// The short form, printed on stderr after a usage error.
std::string_view UsageText();

// The long form of --help, with every option and the syntax of the tags-from-names rules.
std::string_view HelpText();

} // namespace vennart::cli
