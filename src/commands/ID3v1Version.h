// "Set ID3v1 Version" on one file: version 1.1 keeps a track number, 1.0 a longer comment.
#pragma once

#include "commands/ChangeSet.h"
#include "tags/ID3v2Class.h"
#include "workspace/Workspace.h"

#include <span>

namespace vennart::commands {

// True when the file has an ID3v1 record of the other version, which now has the target version.
bool SetID3v1Version(tags::TID3v2Class& file, bool toV11);

// The command over selected rows: each record of the other version changes and is marked in the
// ID3v1 grid; files without a record are skipped.
ChangeSet SetID3v1Version(const workspace::Workspace& workspace, std::span<const int> rows, bool toV11);

} // namespace vennart::commands
