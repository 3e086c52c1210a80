// URL frames: the "W" frames holding one 8-bit URL, and WXXX with a description and a URL in the
// frame's text encoding.
#pragma once

#include "tags/Tag.h"
#include "tags/TextEncoding.h"

#include <memory>

namespace vennart::tags {

class TWURLTag : public TTag {
public:
    TWURLTag() = default;
    // A frame with the given identifier and URL, names looked up.
    static std::unique_ptr<TWURLTag> CreateWithURL(const AnsiString& id, const AnsiString& url);

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TWURLTag>(*this); }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    void SetURL(const AnsiString& url);

    // The whole body byte for byte, zero bytes included.
    AnsiString URL;
};

class TWXXXTag : public TTag {
public:
    TWXXXTag();

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TWXXXTag>(*this); }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    void SetURL(const WideString& url);

    TTextEncoding Encoding = teUTF16;
    WideString Description;
    WideString URL;
};

} // namespace vennart::tags
