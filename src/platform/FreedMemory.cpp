#include "platform/FreedMemory.h"

#include <malloc.h>

namespace vennart::platform {

void KeepFreedMemory()
{
    constexpr int kKeptBytes = 512 << 20;
    mallopt(M_TRIM_THRESHOLD, kKeptBytes);
}

} // namespace vennart::platform
