// The comment frame COMM: language, short description and text.
#pragma once

#include "tags/Tag.h"
#include "tags/TextEncoding.h"

namespace vennart::tags {

class TCOMMTag : public TTag {
public:
    TCOMMTag();

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TCOMMTag>(*this); }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    void SetText(const WideString& text);
    // Stores the first three characters (zero bytes where fewer are given) and marks the frame changed.
    void SetLanguage(const AnsiString& language);

    TTextEncoding Encoding = teUTF16;
    // Always three bytes, kept as they were read.
    AnsiString Language = AnsiString(kLanguageSize, '\0');
    WideString Description;
    WideString Text;

    static constexpr std::size_t kLanguageSize = 3;
};

} // namespace vennart::tags
