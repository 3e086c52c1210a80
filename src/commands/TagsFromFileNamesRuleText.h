// One rule of "Make Tags from Filenames" written as text, for the command line:
//
//   rule   := frame "=" bound ".." bound
//   frame  := TIT2 | TPE1 | TALB | TYER | TRCK | COMM     (letter case ignored)
//   bound  := ""                                          a position left empty: the first (From)
//                                                         or the last (To) character of the name
//           | digits                                      a character position, from 1
//           | "'" symbol "'" [ "#" digits ]               the n-th occurrence of the symbol
//                                                         (n 1 when left out); '' stands for '
//
// Examples: "TPE1=..' - '" (artist up to the first " - "), "TIT2=' - '.." (title after it),
// "TRCK=1..2", "COMM='_'#2..".
#pragma once

#include "commands/TagsFromFileNamesRules.h"

#include <string_view>

namespace vennart::commands {

// The checked rule the text describes; throws vennart::Error naming the rule and what is wrong.
TTagToCreate ParseTagRule(std::u16string_view rule);

} // namespace vennart::commands
