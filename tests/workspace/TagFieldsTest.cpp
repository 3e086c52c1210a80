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

const std::vector<std::string> kDefaultFields { "TIT2:2", "TPE1:3", "TALB:4", "TYER:5", "TCON:6", "TRCK:7",
    "COMM:8", "TCOM:9", "TOPE:10", "TCOP:11", "TENC:12", "TEXT:13", "TPE2:14", "TPE3:15", "TPE4:16",
    "TPUB:17", "TRDA:18", "TRSN:19" };

TEST(TagFields, WithoutTheSettingTheMainAndDefaultFramesAreNumberedFromTwoWithTheirNames)
{
    const std::vector<TagField> fields = BuildTagFields(BuildTagList(Settings {}));

    EXPECT_EQ(Describe(fields), kDefaultFields);
    for (const TagField& field : fields)
        EXPECT_FALSE(field.shortName.empty() || field.longName.empty()) << field.id;
    EXPECT_EQ(fields[TagComment - 1].shortName, "Composer");
}

TEST(TagFields, TheSettingGivesTheFieldsAfterTheMainSeven)
{
    const std::pair<const char16_t*, std::vector<std::string>> cases[] {
        // Blank is the same as absent.
        { u"  \t ", std::vector(kDefaultFields.begin() + 7, kDefaultFields.end()) },
        // Blanks separate entries like commas; quotes hold an entry.
        { u" TCOM , \"TOPE\" TENC,TPE2 ", { "TCOM:9", "TOPE:10", "TENC:11", "TPE2:12" } },
        // Lower case becomes the table's spelling.
        { u"tpe2,wCom", { "TPE2:9", "WCOM:10" } },
        // A repeated identifier keeps its first row; a main one already has its row.
        { u"TCOM,TPE2,tcom,TIT2,COMM", { "TCOM:9", "TPE2:10" } },
        // Unknown identifiers get no row but keep their number, so later rows stay index + 2.
        { u"XXXX,TPE2,TPE,TCOMX,TENC", { "TPE2:10", "TENC:13" } },
        // Frames that cannot be created (neither T nor W, not COMM) get no row.
        { u"APIC,UFID,PRIV,TPE2,WXXX", { "TPE2:12", "WXXX:13" } },
        // Empty entries count as unknown ones.
        { u"TCOM,,TPE2", { "TCOM:9", "TPE2:11" } },
    };
    for (const auto& [setting, extraFields] : cases) {
        Settings settings;
        settings.Write(kTagEditListKey, setting);
        const std::vector<std::string> described = Describe(BuildTagFields(BuildTagList(settings)));
        ASSERT_GE(described.size(), 7u);
        EXPECT_EQ(std::vector(described.begin() + 7, described.end()), extraFields) << test::Ascii(setting);
    }
}

} // namespace
} // namespace vennart::workspace
