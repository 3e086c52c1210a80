// The fields of the editing panel built from the main frames and the TagEditList setting.
#include "workspace/TagFields.h"

#include "support/TestNames.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

// The fields as "ID:tag" texts, for comparing a whole panel at once.
std::vector<std::string> Describe(const std::vector<TagField>& fields)
{
    std::vector<std::string> described;
    for (const TagField& field : fields)
        described.push_back(field.id + ":" + std::to_string(field.tag));
    return described;
}

TEST(TagFields, WithoutTheSettingTheMainAndDefaultFramesAreNumberedFromTwoWithTheirNames)
{
    const std::vector<TagField> fields = BuildTagFields(BuildTagList(Settings {}));

    EXPECT_EQ(Describe(fields),
        (std::vector<std::string> { "TIT2:2", "TPE1:3", "TALB:4", "TYER:5", "TCON:6", "TRCK:7", "COMM:8",
            "TCOM:9", "TOPE:10", "TCOP:11", "TENC:12", "TEXT:13", "TPE2:14", "TPE3:15", "TPE4:16", "TPUB:17",
            "TRDA:18", "TRSN:19" }));
    for (const TagField& field : fields)
        EXPECT_FALSE(field.shortName.empty() || field.longName.empty()) << field.id;
    EXPECT_EQ(fields[TagComment - 1].shortName, "Composer");
}

struct ListCase {
    const char16_t* setting;
    std::vector<std::string> extraFields;
};

VENNART_PRINT_ROW_AS(ListCase, test::Ascii(row.setting))

class TagEditList : public testing::TestWithParam<ListCase> { };

TEST_P(TagEditList, GivesTheExtraFields)
{
    Settings settings;
    settings.Write(kTagEditListKey, GetParam().setting);
    const std::vector<std::string> described = Describe(BuildTagFields(BuildTagList(settings)));

    ASSERT_GE(described.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(described.begin() + 7, described.end()), GetParam().extraFields);
}

INSTANTIATE_TEST_SUITE_P(Settings, TagEditList,
    testing::Values(
        // Blank is the same as absent.
        ListCase { u"  \t ",
            { "TCOM:9", "TOPE:10", "TCOP:11", "TENC:12", "TEXT:13", "TPE2:14", "TPE3:15", "TPE4:16",
                "TPUB:17", "TRDA:18", "TRSN:19" } },
        // Blanks separate entries like commas; quotes hold an entry.
        ListCase { u" TCOM , \"TOPE\" TENC,TPE2 ", { "TCOM:9", "TOPE:10", "TENC:11", "TPE2:12" } },
        // Lower case becomes the table's spelling.
        ListCase { u"tpe2,wCom", { "TPE2:9", "WCOM:10" } },
        // A repeated identifier keeps its first row; a main one already has its row.
        ListCase { u"TCOM,TPE2,tcom,TIT2,COMM", { "TCOM:9", "TPE2:10" } },
        // Unknown identifiers get no row but keep their number, so later rows stay index + 2.
        ListCase { u"XXXX,TPE2,TPE,TCOMX,TENC", { "TPE2:10", "TENC:13" } },
        // Frames that cannot be created (neither T nor W, not COMM) get no row.
        ListCase { u"APIC,UFID,PRIV,TPE2,WXXX", { "TPE2:12", "WXXX:13" } },
        // Empty entries count as unknown ones.
        ListCase { u"TCOM,,TPE2", { "TCOM:9", "TPE2:11" } }));

} // namespace
} // namespace vennart::workspace
