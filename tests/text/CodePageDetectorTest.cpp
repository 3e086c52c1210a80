// The code page detector on the evaluation set: real artist, title and album rows in 13 languages,
// written in every catalogue code page that can hold them, and guessed among all of them. A guess
// is right when its reading gives back the original text (KOI8-R and KOI8-U read Russian alike).
#include "text/CodePageDetector.h"

#include "text/TextFile.h"
#include "text/UStringConvert.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace vennart::text {
namespace {

struct TagText {
    std::string language;
    std::vector<WideString> fields;
};

std::vector<TagText> EvaluationSet()
{
    std::vector<TagText> rows;
    for (const auto& line : ReadTextLines(VENNART_TEXT_TEST_DATA "/TagTexts.tsv")) {
        if (line.empty() || line[0] == u'#')
            continue;
        std::vector<WideString> fields;
        for (std::size_t start = 0, tab = 0; tab != WideString::npos; start = tab + 1) {
            tab = line.find(u'\t', start);
            fields.push_back(line.substr(start, tab - start));
        }
        rows.push_back(
            { WideToCodePage(fields.front(), kUtf8CodePage), { fields.begin() + 1, fields.end() } });
    }
    return rows;
}

std::vector<uint32_t> EightBitCatalogue()
{
    EncodingCatalogue catalogue;
    catalogue.LoadEncodingTables(VENNART_DATA_DIR "/EncodingTables.dat");
    std::vector<uint32_t> codePages;
    for (const auto& entry : catalogue.EncodingNames()) {
        if (entry.codePage != kUtf8CodePage && entry.codePage != kUtf16CodePage)
            codePages.push_back(entry.codePage);
    }
    return codePages;
}

// The fields in the code page, or none when it cannot hold them or they need no code page.
std::optional<std::vector<AnsiString>> Encoded(const std::vector<WideString>& fields, uint32_t codePage)
{
    std::vector<AnsiString> encoded;
    bool beyondAscii = false;
    for (const auto& field : fields) {
        encoded.push_back(WideToCodePage(field, codePage));
        if (CodePageToWide(encoded.back(), codePage) != field)
            return std::nullopt;
        beyondAscii = beyondAscii
            || std::any_of(encoded.back().begin(), encoded.back().end(), [](char b) { return b & 0x80; });
    }
    return beyondAscii ? std::optional(encoded) : std::nullopt;
}

bool ReadsBack(const std::vector<AnsiString>& encoded, const std::vector<WideString>& fields,
    std::optional<uint32_t> guess)
{
    return guess && std::ranges::equal(encoded, fields, [&](const AnsiString& text, const WideString& field) {
        return CodePageToWide(text, *guess) == field;
    });
}

// Loaded once for all the tests: the table is large.
const LetterModel& Model()
{
    static const LetterModel model = LetterModel::Load(VENNART_DATA_DIR "/LetterBigrams.tsv");
    return model;
}

class CodePageDetection : public testing::Test {
protected:
    const LetterModel& model = Model();
    const std::vector<uint32_t> candidates = EightBitCatalogue();
    const std::vector<TagText> rows = EvaluationSet();
};

// Each file alone, and each folder of the files of one language in one code page (five at least).
TEST_F(CodePageDetection, NamesTheCodePageOfAtLeast98PercentOfFilesAndOfEveryFolderOfFive)
{
    std::map<std::string, std::vector<const TagText*>> folders;
    for (const auto& row : rows)
        folders[row.language].push_back(&row);
    int right = 0;
    int tried = 0;
    for (const auto& [language, folderRows] : folders) {
        for (uint32_t codePage : candidates) {
            std::vector<AnsiString> texts;
            std::vector<WideString> fields;
            for (const TagText* row : folderRows) {
                if (auto encoded = Encoded(row->fields, codePage)) {
                    right += ReadsBack(
                        *encoded, row->fields, GuessCodePage(*encoded, candidates, model).codePage);
                    ++tried;
                    texts.insert(texts.end(), encoded->begin(), encoded->end());
                    fields.insert(fields.end(), row->fields.begin(), row->fields.end());
                }
            }
            if (texts.size() >= 5 * 3) {
                EXPECT_TRUE(ReadsBack(texts, fields, GuessCodePage(texts, candidates, model).codePage))
                    << language << " in " << codePage;
            }
        }
    }
    EXPECT_GE(right, tried * 98 / 100);
}

TEST_F(CodePageDetection, TellsAsciiAndUtf8FromLegacyText)
{
    const std::vector<AnsiString> ascii { "Deep Purple", "Smoke on the Water" };
    const std::vector<AnsiString> utf8 { "\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE" };
    const std::vector<AnsiString> none { "", "" };
    EXPECT_EQ(GuessCodePage(ascii, candidates, model).kind, TextKind::Ascii);
    EXPECT_EQ(GuessCodePage(utf8, candidates, model).codePage, kUtf8CodePage);
    EXPECT_EQ(GuessCodePage(none, candidates, model).kind, TextKind::Empty);
}

TEST(LetterModel, TableLinesOfAnyShapeAreSkipped)
{
    const LetterModel broken("xx\t41\nru\tzz\t41\t4\nru\t20\t430\t999\n\xFF\t\t\t\n");
    EXPECT_EQ(broken.LanguageCount(), 0u);
    EXPECT_GT(broken.Cost(u"\u041a\u0438\u043d\u043e"), 0);
}

} // namespace
} // namespace vennart::text
