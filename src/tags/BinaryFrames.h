// Frames that carry bytes the program does not interpret: the attached picture APIC, the private
// frame PRIV, and every frame kept as it was read (unknown identifiers, and frames whose flags say
// their body is compressed, encrypted, grouped or otherwise not plain).
#pragma once

#include "tags/HeldBytes.h"
#include "tags/Tag.h"
#include "tags/TextEncoding.h"

#include <cstdint>

namespace vennart::tags {

class TAPICTag : public TTag {
public:
    TAPICTag();

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TAPICTag>(*this); }
    HeldBytes* Held() override { return &PictureData; }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    // Picture types 0 to 20 are defined; any other value is read and written as 0.
    static constexpr std::uint8_t kMaxPictureType = 20;

    AnsiString MIMEType;
    TTextEncoding Encoding = teUTF16;
    std::uint8_t PictureType = 0;
    WideString Description;
    HeldBytes PictureData;
};

class TPRIVTag : public TTag {
public:
    TPRIVTag();

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TPRIVTag>(*this); }
    HeldBytes* Held() override { return &PrivateData; }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    AnsiString Owner;
    HeldBytes PrivateData;
};

class TUnknownTag : public TTag {
public:
    TUnknownTag() = default;

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TUnknownTag>(*this); }
    HeldBytes* Held() override { return &RawData; }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    // The body exactly as read, written back unchanged together with Flags.
    HeldBytes RawData;
};

} // namespace vennart::tags
