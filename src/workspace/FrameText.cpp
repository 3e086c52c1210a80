#include "workspace/FrameText.h"

#include "platform/SystemCodePage.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Genre.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"

#include <algorithm>
#include <optional>

namespace vennart::workspace {
namespace {

constexpr uint32_t kUtf16 = text::kUtf16CodePage;

bool IsUnicode(tags::TTextEncoding encoding)
{
    return encoding == tags::teUTF16 || encoding == tags::teUTF16NoBOM || encoding == tags::teUTF8;
}

// The text a frame's string stands for, whatever the view code page: UTF-16 is held as the text it is,
// UTF-8 as its bytes (one character each, so that a save writes them back unchanged).
WideString UnicodeText(const WideString& stored, tags::TTextEncoding encoding)
{
    return encoding == tags::teUTF8 ? text::CodePageToWide(NarrowSystem(stored), text::kUtf8CodePage)
                                    : stored;
}

// The view code page interprets only 8-bit text; a frame that declares a Unicode encoding gives its
// real text under every code page.
WideString Show(const WideString& stored, tags::TTextEncoding encoding, uint32_t codePage)
{
    if (IsUnicode(encoding))
        return UnicodeText(stored, encoding);
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

// A string the user does not edit (a description, a TXXX value, the further values of a multi-value
// frame) follows its frame into the new encoding without losing a character. UTF-8 is decoded first:
// its bytes mean nothing in another encoding. Held as wide text, 8-bit text is one character per byte,
// so it stays as it is whatever the encoding becomes: its bytes are written back unchanged. Only true
// UTF-16 text (a character above U+00FF) turning into 8-bit text is encoded in the code page.
void MoveString(WideString& stored, tags::TTextEncoding from, uint32_t codePage)
{
    if (from == tags::teUTF8)
        stored = UnicodeText(stored, from);
    const bool beyondOneByte = std::any_of(stored.begin(), stored.end(), [](char16_t c) { return c > 0xFF; });
    if (codePage != kUtf16 && beyondOneByte)
        stored = Store(stored, codePage);
}

// The genre a TCON text names: "(17)" and "17" as ID3v1 taggers write it, "(17)Rock" as older
// 2.3 taggers write it, a name of the table in any letter case ("Rock", as 2.4 taggers write it).
std::optional<std::uint8_t> GenreIndexOf(const WideString& text)
{
    if (text.empty())
        return tags::TID3v1Genre::kUnknown;
    std::u16string_view number = text;
    if (number.front() == u'(') {
        number.remove_prefix(1);
        number = number.substr(0, number.find(u')'));
    }
    // A number is an index modulo 256, as ID3v1 stores it; above the table it names no genre.
    if (const std::optional<int32_t> index = text::ParseInteger(number))
        return static_cast<std::uint8_t>(*index);
    const tags::TID3v1Genre genres;
    // The table's lookup gives "Unknown" for names it lacks, so that name is matched on its own.
    const std::uint8_t byName = genres.GetGenreIndex(text);
    const WideString unknown = genres.GetGenreName(tags::TID3v1Genre::kUnknown);
    const auto lower
        = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
    const bool named = byName != tags::TID3v1Genre::kUnknown
        || std::equal(text.begin(), text.end(), unknown.begin(), unknown.end(),
            [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
    return named ? std::optional(byName) : std::nullopt;
}

// A genre of the table shows as its name; any other text ("Post-Rock", "Шансон") shows as the text it is.
WideString GenreText(const tags::TTxxxTag& frame, uint32_t codePage)
{
    if (const std::optional<std::uint8_t> index = GenreIndexOf(frame.Text))
        return tags::TID3v1Genre().GetGenreName(*index);
    return Show(frame.Text, frame.Encoding, codePage);
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

// A frame kept as the bytes it was read as (encrypted, or not decodable) although its identifier
// names a text, URL or comment frame: other programs cannot read it either.
bool IsOpaque(const tags::TTag& frame)
{
    return dynamic_cast<const tags::TUnknownTag*>(&frame) != nullptr && CreateFrameFor(frame.ID) != nullptr;
}

// An edit of an opaque frame replaces it where it stands, so that the new value is the one every
// program finds first.
void ReplaceFrame(tags::TID3v2Class& file, const tags::TTag& old, std::unique_ptr<tags::TTag> frame)
{
    frame->LookupNames();
    const auto place = std::find_if(
        file.Frames.begin(), file.Frames.end(), [&](const auto& each) { return each.get() == &old; });
    *place = std::move(frame);
}

void StoreText(tags::TTxxxTag& frame, const WideString& text, uint32_t codePage)
{
    for (WideString& more : frame.MoreStrings)
        MoveString(more, frame.Encoding, codePage);
    frame.Encoding = EncodingFor(codePage);
    frame.SetText(Store(text, codePage));
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
        return GenreText(*static_cast<const tags::TTxxxTag*>(frame), codePage);
    if (const auto* comment = dynamic_cast<const tags::TCOMMTag*>(frame))
        return Show(comment->Text, comment->Encoding, codePage);
    if (const auto* textFrame = dynamic_cast<const tags::TTxxxTag*>(frame))
        return Show(textFrame->Text, textFrame->Encoding, codePage);
    // The URL of WXXX is ISO-8859-1 whatever the frame's encoding: it is the text it is.
    if (const auto* userUrl = dynamic_cast<const tags::TWXXXTag*>(frame))
        return userUrl->URL;
    if (const auto* url = dynamic_cast<const tags::TWURLTag*>(frame))
        return Show(WidenSystem(url->URL), tags::teISO88591, codePage);
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
        // What the frame already shows is kept as it is: a name or a text of another tagger is not
        // rewritten unless another genre is picked.
        if (text == GenreText(genre, codePage))
            return;
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
        MoveString(comment->Description, comment->Encoding, codePage);
        comment->Encoding = encoding;
        comment->SetText(value);
    } else if (auto* textFrame = dynamic_cast<tags::TTxxxTag*>(&frame)) {
        StoreText(*textFrame, text, codePage);
    } else if (auto* userUrl = dynamic_cast<tags::TWXXXTag*>(&frame)) {
        MoveString(userUrl->Description, userUrl->Encoding, codePage);
        userUrl->Encoding = encoding;
        userUrl->SetURL(text);
    } else if (auto* url = dynamic_cast<tags::TWURLTag*>(&frame)) {
        url->SetURL(NarrowSystem(value));
    }
}

void ReencodeFrame(tags::TTag& frame, uint32_t from, uint32_t to)
{
    const WideString text = FrameText(&frame, from);
    if (!IsGenreFrame(frame))
        return StoreFrameText(frame, text, to);
    auto& genre = static_cast<tags::TTxxxTag&>(frame);
    const std::optional<std::uint8_t> index = GenreIndexOf(genre.Text);
    // A genre the table does not name is the user's own text, and so are the further genres of a
    // multi-value frame: re-encoded, not turned into a number.
    if (!index || !genre.MoreStrings.empty())
        return StoreText(genre, text, to);
    genre.Encoding = tags::teISO88591;
    genre.SetText(tags::TID3v1Genre().FormatGenre(*index));
}

bool SetFrameText(tags::TID3v2Class& file, std::string_view id, const WideString& text, uint32_t codePage)
{
    // Identifiers are upper case on disk; a frame created under another spelling would end the
    // frame list when the file is read again.
    AnsiString upperId(id);
    std::transform(upperId.begin(), upperId.end(), upperId.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    tags::TTag* frame = file.FindFrameByID(upperId, 1);
    if (frame == nullptr || IsOpaque(*frame)) {
        std::unique_ptr<tags::TTag> created = CreateFrameFor(upperId);
        if (!created)
            return false;
        tags::TTag* replaced = frame;
        frame = created.get();
        if (replaced == nullptr)
            file.AddFrame(std::move(created));
        else
            ReplaceFrame(file, *replaced, std::move(created));
    }
    StoreFrameText(*frame, text, codePage);
    return true;
}

} // namespace vennart::workspace
