#include "workspace/FrameText.h"

#include "platform/SystemCodePage.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Genre.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"

#include <algorithm>

namespace vennart::workspace {
namespace {

constexpr uint32_t kUtf16 = text::kUtf16CodePage;

WideString Show(const WideString& stored, uint32_t codePage)
{
    return codePage == kUtf16 ? stored : text::ReinterpretWide(stored, codePage);
}

WideString Store(const WideString& shown, uint32_t codePage)
{
    return codePage == kUtf16 ? shown : WidenSystem(text::WideToCodePage(shown, codePage));
}

tags::TTextEncoding EncodingFor(uint32_t codePage)
{
    return codePage == kUtf16 ? tags::teUTF16 : tags::teISO88591;
}

// A string the user does not edit (a description, a TXXX value) follows its frame into the new
// encoding without losing a character. Held as wide text, 8-bit text is one character per byte, so
// it stays as it is whatever the encoding becomes: its bytes are written back unchanged. Only true
// UTF-16 text (a character above U+00FF) turning into 8-bit text is encoded in the code page.
void MoveString(WideString& stored, uint32_t codePage)
{
    const bool beyondOneByte = std::any_of(stored.begin(), stored.end(), [](char16_t c) { return c > 0xFF; });
    if (codePage != kUtf16 && beyondOneByte)
        stored = Store(stored, codePage);
}

WideString GenreText(const WideString& stored)
{
    std::u16string_view number = stored;
    if (!number.empty() && number.front() == u'(')
        number.remove_prefix(1);
    if (!number.empty() && number.back() == u')')
        number.remove_suffix(1);
    const int32_t index = text::ParseInteger(number).value_or(tags::TID3v1Genre::kUnknown);
    return tags::TID3v1Genre().GetGenreName(static_cast<std::uint8_t>(index));
}

bool IsGenreFrame(const tags::TTag& frame)
{
    return SameFrameID(frame.ID, "TCON") && dynamic_cast<const tags::TTxxxTag*>(&frame) != nullptr;
}

std::unique_ptr<tags::TTag> CreateFrameFor(std::string_view id)
{
    const AnsiString name(id);
    if (SameFrameID(id, "COMM"))
        return std::make_unique<tags::TCOMMTag>();
    if (SameFrameID(id, "WXXX"))
        return std::make_unique<tags::TWXXXTag>();
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(id.empty() ? '\0' : id[0])));
    if (first == 'T')
        return tags::TTxxxTag::CreateWithText(name, {});
    if (first == 'W')
        return tags::TWURLTag::CreateWithURL(name, {});
    return nullptr;
}

} // namespace

bool SameFrameID(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

WideString FrameText(const tags::TTag* frame, uint32_t codePage)
{
    if (frame == nullptr)
        return {};
    if (IsGenreFrame(*frame))
        return GenreText(static_cast<const tags::TTxxxTag*>(frame)->Text);
    if (const auto* comment = dynamic_cast<const tags::TCOMMTag*>(frame))
        return Show(comment->Text, codePage);
    if (const auto* textFrame = dynamic_cast<const tags::TTxxxTag*>(frame))
        return Show(textFrame->Text, codePage);
    if (const auto* userUrl = dynamic_cast<const tags::TWXXXTag*>(frame))
        return Show(userUrl->URL, codePage);
    if (const auto* url = dynamic_cast<const tags::TWURLTag*>(frame))
        return Show(WidenSystem(url->URL), codePage);
    return {};
}

WideString GetFrameText(const tags::TID3v2Class& file, std::string_view id, uint32_t codePage)
{
    return FrameText(file.FindFrameByID(id, 1), codePage);
}

void StoreFrameText(tags::TTag& frame, const WideString& text, uint32_t codePage)
{
    if (IsGenreFrame(frame)) {
        auto& genre = static_cast<tags::TTxxxTag&>(frame);
        const tags::TID3v1Genre genres;
        genre.Encoding = tags::teISO88591;
        // The chosen genre is the frame's whole value: further genres of a multi-value frame go.
        genre.MoreStrings.clear();
        genre.SetText(genres.FormatGenre(genres.GetGenreIndex(text)));
        return;
    }
    const tags::TTextEncoding encoding = EncodingFor(codePage);
    const WideString value = Store(text, codePage);
    if (auto* comment = dynamic_cast<tags::TCOMMTag*>(&frame)) {
        MoveString(comment->Description, codePage);
        comment->Encoding = encoding;
        comment->SetText(value);
    } else if (auto* textFrame = dynamic_cast<tags::TTxxxTag*>(&frame)) {
        for (WideString& more : textFrame->MoreStrings)
            MoveString(more, codePage);
        textFrame->Encoding = encoding;
        textFrame->SetText(value);
    } else if (auto* userUrl = dynamic_cast<tags::TWXXXTag*>(&frame)) {
        MoveString(userUrl->Description, codePage);
        userUrl->Encoding = encoding;
        userUrl->SetURL(value);
    } else if (auto* url = dynamic_cast<tags::TWURLTag*>(&frame)) {
        url->SetURL(NarrowSystem(value));
    }
}

bool SetFrameText(tags::TID3v2Class& file, std::string_view id, const WideString& text, uint32_t codePage)
{
    // Identifiers are upper case on disk; a frame created under another spelling would end the
    // frame list when the file is read again.
    AnsiString upperId(id);
    std::transform(upperId.begin(), upperId.end(), upperId.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    tags::TTag* frame = file.FindFrameByID(upperId, 1);
    if (frame == nullptr) {
        std::unique_ptr<tags::TTag> created = CreateFrameFor(upperId);
        if (!created)
            return false;
        frame = created.get();
        file.AddFrame(std::move(created));
    }
    StoreFrameText(*frame, text, codePage);
    return true;
}

} // namespace vennart::workspace
