// What makes a new file name unusable before anything touches the disk: the preview of a rename
// marks such names so that the user can change the mask first. The save refuses them all the same.
#pragma once

#include "platform/Strings.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vennart::commands {

enum class NameProblem {
    SameAsAnotherNewName,
    SameAsAnotherFile,
    ForbiddenCharacter, // "/" or a control character
    NothingButExtension,
    TooLong, // more bytes in UTF-8 than a Linux file name may have
};

// The longest file name Linux file systems take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// One entry per name of `names` (the names the rows of the command will have, renamed or not): its
// first problem, or none. `otherNames` are the names of the folder's files outside the command.
// Names are compared exactly, as Linux does.
std::vector<std::optional<NameProblem>> CheckNewNames(
    const std::vector<WideString>& names, const std::vector<WideString>& otherNames);

// The reason shown beside a marked name.
std::string_view NameProblemText(NameProblem problem);

} // namespace vennart::commands
