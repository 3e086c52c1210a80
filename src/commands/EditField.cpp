#include "commands/EditField.h"

#include "workspace/FieldEditing.h"

namespace vennart::commands {

using workspace::TagGrid;

ChangeSet EditField(const workspace::Workspace& workspace, TagGrid grid, std::span<const int> rows,
    const workspace::TagField& field, const WideString& typed)
{
    if (typed == workspace::kDoNotChange)
        return {};
    const WideString value = workspace::TypedValue(typed);
    const uint32_t codePage = workspace.ViewCodePage(grid);
    return ChangeRows(workspace, "Edit " + field.shortName, rows, [&](workspace::RowState& draft) {
        if (!workspace::ApplyFieldToFile(*draft.file, grid, codePage, field, value))
            return false;
        draft.Mark(grid);
        return true;
    });
}

std::string EditFieldMergeKey(const workspace::Workspace& workspace, TagGrid grid, std::span<const int> rows,
    const workspace::TagField& field)
{
    std::string key = std::to_string(workspace.Listing()) + (grid == TagGrid::ID3v1 ? " v1 " : " v2 ")
        + field.id + " " + std::to_string(field.tag);
    for (int row : rows)
        key += " " + std::to_string(row);
    return key;
}

ChangeSet EditRowName(const workspace::Workspace& workspace, int row, const WideString& name)
{
    const int rows[] = { row };
    return ChangeRows(workspace, "Edit File Name", rows, [&](workspace::RowState& draft) {
        if (draft.name == name)
            return false;
        draft.name = name;
        draft.marked = { true, true };
        return true;
    });
}

} // namespace vennart::commands
