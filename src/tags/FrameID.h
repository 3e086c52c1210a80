// A frame identifier held in place: four bytes in an ID3v2.3 or 2.4 frame header, three for a 2.2
// frame kept as it was read, "TAG\0" for the ID3v1 record. A std::string here took 32 bytes of
// every frame of every listed file, for at most four characters.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace vennart::tags {

class FrameID {
public:
    static constexpr std::size_t kMaxSize = 4;

    FrameID() = default;
    // Takes the first four bytes of a longer text: no more are written to a frame header.
    FrameID(std::string_view id)
        : size_(static_cast<std::uint8_t>(std::min(id.size(), kMaxSize)))
    {
        std::copy_n(id.begin(), size_, bytes_.begin());
    }
    FrameID(const char* id)
        : FrameID(std::string_view(id))
    {
    }
    FrameID(const std::string& id)
        : FrameID(std::string_view(id))
    {
    }

    std::string_view view() const { return { bytes_.data(), size_ }; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    friend bool operator==(const FrameID& a, const FrameID& b) { return a.view() == b.view(); }
    friend bool operator==(const FrameID& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const FrameID& a, const char* b) { return a.view() == b; }
    friend bool operator==(const FrameID& a, const std::string& b) { return a.view() == b; }
    friend std::ostream& operator<<(std::ostream& out, const FrameID& id) { return out << id.view(); }

private:
    std::array<char, kMaxSize> bytes_ {};
    std::uint8_t size_ = 0;
};

} // namespace vennart::tags
