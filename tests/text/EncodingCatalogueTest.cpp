#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TextTestSupport.h"
#include "text/UStringConvert.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

using test::ErrorOf;

TEST(EncodingCatalogue, AcceptsOnlyLinesWhoseCodePageIsAnInteger)
{
    EncodingCatalogue catalogue;
    // A mark at the start and blanks around fields stay part of the fields.
    catalogue.AddCatalogueLines("\xEF\xBB\xBF Cyrillic ; Windows ;1251\r\n"
                                "\r\n"
                                "Word;x;twelve\n"
                                "Three;a;b;866\r"
                                "KOI8-R;;20866\n"
                                "  65001  \n"
                                "Only name;28591\n"
                                "Second;dup; 1251\t\n"
                                "Negative;;-1");
    EXPECT_EQ(catalogue.EncodingNames(),
        (std::vector<CodePageName> { { "\xEF\xBB\xBF Cyrillic ", 1251 }, { "KOI8-R", 20866 }, { "", 65001 },
            { "Only name", 28591 }, { "Second", 1251 }, { "Negative", 4294967295u } }));
    EXPECT_EQ(
        catalogue.EncodingDescriptions(), (std::vector<AnsiString> { " Windows ", "", "", "", "dup", "" }));
    EXPECT_EQ(catalogue.IndexOfCodePage(1251), 0);
    EXPECT_EQ(catalogue.IndexOfCodePage(866), -1);
}

TEST(EncodingCatalogue, LoadingAppendsToWhatIsThere)
{
    test::TempDir folder;
    test::WriteFileBytes(folder / "EncodingTables.dat", test::BytesOf("A;;1251\nB;;866\n"));
    EncodingCatalogue catalogue;
    catalogue.LoadEncodingTables(folder / "EncodingTables.dat");
    catalogue.LoadEncodingTables(folder / "EncodingTables.dat");
    EXPECT_EQ(catalogue.EncodingNames().size(), 4u);
}

TEST(EncodingCatalogue, MissingFileIsAnErrorWithTheFullPathAndUnreadableOneAnError)
{
    test::TempDir folder;
    EncodingCatalogue catalogue;
    EXPECT_EQ(ErrorOf([&] { catalogue.LoadEncodingTables(folder / "EncodingTables.dat"); }),
        "File " + (folder / "EncodingTables.dat").string()
            + " does not exists - could not init encoding tables");

    const std::filesystem::path current = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string relative = ErrorOf([&] { catalogue.LoadEncodingTables("none.dat"); });
    std::filesystem::current_path(current);
    EXPECT_EQ(relative,
        "File " + (folder / "none.dat").string() + " does not exists - could not init encoding tables");

    std::filesystem::create_directory(folder / "EncodingTables.dat");
    EXPECT_THROW(catalogue.LoadEncodingTables(folder / "EncodingTables.dat"), Error);
}

TEST(EncodingCatalogue, EmptyPathMeansTheFileInTheProgramsDataFolder)
{
    // The build puts EncodingTables.dat beside every program it builds, this test included.
    EncodingCatalogue catalogue;
    catalogue.LoadEncodingTables({});
    EXPECT_GE(catalogue.IndexOfCodePage(1251), 0);
}

TEST(CatalogueText, ShowsUtf8AsUtf8AndAnythingElseThroughTheSystemCodePage)
{
    EXPECT_EQ(CatalogueText("\xD0\x9A\xD0\xB8\xD1\x80"), u"Кир");
    EXPECT_EQ(CatalogueText("Caf\xE9"), u"Café");
    EXPECT_EQ(CatalogueText("plain"), u"plain");
}

class ActiveEncodings : public testing::Test {
protected:
    void SetUp() override
    {
        catalogue.AddCatalogueLines("Cyrillic (Windows-1251);;1251\nKOI8-R;;20866\nDOS;;866\nUTF-8;;65001\n"
                                    "UTF-16;;1200\nOther 1251;;1251\n");
    }

    static std::vector<uint32_t> CodePages(const std::vector<CodePageName>& list)
    {
        std::vector<uint32_t> codePages;
        for (const CodePageName& entry : list)
            codePages.push_back(entry.codePage);
        return codePages;
    }

    EncodingCatalogue catalogue;
};

TEST_F(ActiveEncodings, EmptySettingGivesTheDefaultSet)
{
    catalogue.BuildActiveEncodings("");
    EXPECT_EQ(
        CodePages(catalogue.ActiveEncodingsV1()), (std::vector<uint32_t> { 1251, 20866, 21866, 866, 65001 }));
    EXPECT_EQ(CodePages(catalogue.ActiveEncodingsV2()),
        (std::vector<uint32_t> { 1251, 20866, 21866, 866, 65001, 1200 }));
    EXPECT_EQ(catalogue.ActiveEncodingsV2()[0].name, "Cyrillic (Windows-1251)");
    EXPECT_EQ(catalogue.ActiveEncodingsV2()[2].name, "UNKKOWN - 21866");
}

TEST_F(ActiveEncodings, EntriesAreTrimmedRepeatsStayAndUtf16IsOfferedForId3v2Only)
{
    catalogue.BuildActiveEncodings("\" 1251 \", 1251,\"4242\",1200");
    // A repeated code page takes the first catalogue name each time.
    const std::vector<CodePageName> eightBit { { "Cyrillic (Windows-1251)", 1251 },
        { "Cyrillic (Windows-1251)", 1251 }, { "UNKKOWN - 4242", 4242 } };
    EXPECT_EQ(catalogue.ActiveEncodingsV1(), eightBit);
    std::vector<CodePageName> all = eightBit;
    all.push_back({ "UTF-16", 1200 });
    EXPECT_EQ(catalogue.ActiveEncodingsV2(), all);
}

TEST_F(ActiveEncodings, EntryThatIsNoIntegerStopsWithTheStandardMessage)
{
    catalogue.BuildActiveEncodings("866");
    for (const auto& [setting, message] : std::vector<std::pair<std::string, std::string>> {
             { "1251,abc", "'abc' is not a valid integer value" },
             { "1251,,866", "'' is not a valid integer value" },
             { "1251,", "'' is not a valid integer value" } }) {
        EXPECT_EQ(ErrorOf([&] { catalogue.BuildActiveEncodings(setting); }), message);
        EXPECT_EQ(catalogue.ActiveEncodingsV2(), (std::vector<CodePageName> { { "DOS", 866 } })) << setting;
    }
}

} // namespace
} // namespace vennart::text
