#include "tags/HeldBytes.h"

#include "tags/FrameBody.h"

namespace vennart::tags {

SharedBytes HeldBytes::Load() const
{
    if (!source_)
        return memory_;
    if (!stored_)
        return SharedBytes(source_->ReadAt(offset_, size_));
    const ByteVector body = source_->ReadAt(offset_, stored_->size);
    std::size_t budget = kMaxInflatedSize;
    const std::optional<ByteVector> plain
        = DecodeFrameBody(body, stored_->flags, stored_->majorVersion, stored_->tagUnsynchronised, budget);
    // The body decoded when the file was read: anything else is not the file that was read.
    if (!plain || plain->size() < size_)
        ThrowChangedSinceRead(source_->FileName());
    return SharedBytes(ByteVector(plain->end() - static_cast<std::ptrdiff_t>(size_), plain->end()));
}

} // namespace vennart::tags
