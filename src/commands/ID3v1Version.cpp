#include "commands/ID3v1Version.h"

#include "tags/ID3v1Tag.h"

namespace vennart::commands {

bool SetID3v1Version(tags::TID3v2Class& file, bool toV11)
{
    tags::TID3v1Tag* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    if (record == nullptr || record->IsV11 == toV11)
        return false;
    record->SetV11(toV11);
    return true;
}

ChangeSet SetID3v1Version(const workspace::Workspace& workspace, std::span<const int> rows, bool toV11)
{
    return ChangeRows(workspace, "Set ID3v1 Version", rows, [&](workspace::RowState& draft) {
        if (!SetID3v1Version(*draft.file, toV11))
            return false;
        draft.Mark(workspace::TagGrid::ID3v1);
        return true;
    });
}

} // namespace vennart::commands
