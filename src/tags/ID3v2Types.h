// The frame descriptor table: the program's vocabulary of ID3v2.3 frame identifiers, each with the
// short name shown in labels and lists and a longer description.
#pragma once

#include "platform/Strings.h"

#include <span>
#include <string_view>

namespace vennart::tags {

struct TagListRecord {
    std::string_view ID;
    std::string_view ShortName;
    std::string_view Description;
};

// All rows in table order; dialogs remember a frame by its index here.
std::span<const TagListRecord> TagListRecords();

// The index of the first row whose identifier equals id regardless of the case of A to Z (id must
// have exactly four characters), with its names; -1 and two empty names when there is none.
int FindTagListRecord(std::string_view id, AnsiString& shortName, AnsiString& description);

// The row whose identifier equals id exactly, letter case included; null when there is none.
const TagListRecord* FindTagListRecordExact(std::string_view id);

} // namespace vennart::tags
