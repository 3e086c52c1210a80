// Text frames: every identifier beginning with "T", TXXX included.
#pragma once

#include "tags/Tag.h"
#include "tags/TextEncoding.h"

#include <memory>
#include <vector>

namespace vennart::tags {

class TTxxxTag : public TTag {
public:
    TTxxxTag() = default;
    // A frame with the given identifier and wide text, names looked up, encoding UTF-16.
    static std::unique_ptr<TTxxxTag> CreateWithText(const AnsiString& id, const WideString& text);

    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TTxxxTag>(*this); }
    std::size_t GetSize() const override;
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    void SetText(const WideString& text);

    TTextEncoding Encoding = teUTF16;
    // The first string of the frame: the text, or a TXXX frame's description.
    WideString Text;
    // Every string after the first, each following a terminator: a TXXX frame's value, the further
    // values of a multi-value frame. Zero bytes and empty strings that end the body are not kept. Written
    // back after the first string, in the frame's encoding; re-encoding the frame re-encodes these too.
    std::vector<WideString> MoreStrings;
};

} // namespace vennart::tags
