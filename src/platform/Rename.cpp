#include "platform/Rename.h"

#include "platform/File.h"

#include <cerrno>

namespace vennart::platform {
namespace {

bool NoReplaceUnsupported(int errorNumber)
{
    return errorNumber == EINVAL || errorNumber == ENOSYS || errorNumber == EOPNOTSUPP;
}

} // namespace

void RenameWithoutReplacing(
    FileSystem& fileSystem, const std::filesystem::path& from, const std::filesystem::path& to)
{
    const auto fail = [&](int cause) { ThrowSystemError(from, "cannot rename to " + to.string(), cause); };
    if (fileSystem.RenameNoReplace(from, to) == 0)
        return;
    if (!NoReplaceUnsupported(errno))
        fail(errno);
    if (fileSystem.Link(from, to) != 0)
        fail(errno);
    if (fileSystem.Unlink(from) != 0) {
        const int cause = errno;
        fileSystem.Unlink(to);
        fail(cause);
    }
}

} // namespace vennart::platform
