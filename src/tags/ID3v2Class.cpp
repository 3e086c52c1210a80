#include "tags/ID3v2Class.h"

#include "platform/Error.h"
#include "platform/SafeReplace.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Types.h"
#include "tags/ID3v2Writer.h"
#include "tags/PictureSkipping.h"
#include "tags/VBRHeader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <string_view>
#include <sys/file.h>

namespace vennart::tags {
namespace {

// Whether every byte is zero; through memcmp, since every tag has its padding checked.
bool AllZero(std::span<const std::uint8_t> bytes)
{
    return bytes.empty()
        || (bytes[0] == 0 && std::memcmp(bytes.data(), bytes.data() + 1, bytes.size() - 1) == 0);
}

constexpr std::string_view kID3v1Magic = "TAG";
// A read buffer larger than this is not kept for the next file.
constexpr std::size_t kKeptReadBuffer = 16 * 1024 * 1024;

// The first read of every file: enough for the header, a tag without pictures and the first audio
// frame of most files, in one system call.
constexpr std::size_t kFirstRead = 8 * 1024;

// The buffer every file's tag is read into, one after another. Tags with pictures are large: a new
// buffer for each file would have its memory handed out and faulted in anew for every file. The
// first kept bytes survive a growth.
std::span<std::uint8_t> ReadBuffer(std::size_t size, std::size_t kept = 0)
{
    thread_local std::unique_ptr<std::uint8_t[]> buffer;
    thread_local std::size_t capacity = 0;
    if (size > capacity || capacity > kKeptReadBuffer) {
        // Not zero-filled first: the read overwrites it.
        auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        std::copy_n(buffer.get(), std::min({ kept, capacity, size }), grown.get());
        buffer = std::move(grown);
        capacity = size;
    }
    return { buffer.get(), size };
}

// Every file's frames are read into one list, kept from file to file, and then move into a list of
// their own of just their size, which lives as long as the folder is listed: growing each file's
// list frame by frame would allocate it several times over.
FrameList& ReadingList()
{
    thread_local FrameList frames;
    return frames;
}

FrameList TakeReadingList()
{
    FrameList frames = std::move(ReadingList());
    frames.clear();
    return frames;
}

void GiveBackReadingList(FrameList& read)
{
    FrameList fitted;
    fitted.reserve(read.size());
    std::ranges::move(read, std::back_inserter(fitted));
    read.clear();
    ReadingList() = std::move(read);
    read = std::move(fitted);
}

// The bytes of file from 0 to end, of which the first head.size() are in head, read already.
std::span<const std::uint8_t> ReadOn(
    platform::File& file, std::span<const std::uint8_t> head, std::size_t end)
{
    const std::size_t have = head.size();
    const std::span<std::uint8_t> buffer = ReadBuffer(end, have);
    const std::size_t got = file.ReadAt(buffer.subspan(have), static_cast<std::int64_t>(have));
    return buffer.first(have + got);
}

// The same without the large pictures of the tag whose header is given; `unread` receives what
// was left out.
std::span<const std::uint8_t> ReadOnSkippingPictures(platform::File& file, std::span<const std::uint8_t> head,
    std::size_t end, const ID3v2Header& header, std::vector<FileSpan>& unread)
{
    const std::span<std::uint8_t> buffer = ReadBuffer(end, head.size());
    SparseRead read = ReadSkippingPictures(file, buffer, head.size(), header);
    unread = std::move(read.unread);
    return buffer.first(read.size);
}

// A frame whose held bytes stay in a saved file, and where they are in it.
struct LeftInFile {
    std::size_t index;
    FileSpan span;
};

std::vector<LeftInFile> FramesLeftInFile(const FrameList& frames, const std::vector<std::size_t>& frameStarts)
{
    std::vector<LeftInFile> left;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const HeldBytes* held = frames[i]->Held();
        if (frameStarts[i] == kNotWritten || held == nullptr || held->size() < kLeftInFileFrom)
            continue;
        const auto end = static_cast<std::int64_t>(frameStarts[i] + frames[i]->GetSize());
        const auto size = static_cast<std::int64_t>(held->size());
        left.push_back({ i, { end - size, size } });
    }
    return left;
}

std::vector<FileSpan> SpansOf(const std::vector<LeftInFile>& left)
{
    std::vector<FileSpan> spans;
    for (const LeftInFile& frame : left)
        spans.push_back(frame.span);
    return spans;
}

} // namespace

TID3v2Class::TID3v2Class(platform::StoredPath fileName)
    : TID3v2Class(std::move(fileName), platform::SystemFileSystem())
{
}

TID3v2Class::TID3v2Class(platform::StoredPath fileName, platform::FileSystem& fileSystem)
    : TID3v2Class(std::move(fileName), fileSystem, kNoFolder)
{
}

TID3v2Class::TID3v2Class(platform::StoredPath fileName, platform::FileSystem& fileSystem, int folder)
    : FileName(std::move(fileName))
    , fileSystem_(&fileSystem)
{
    ReadTags(folder);
}

void TID3v2Class::ReadTags(int folder)
{
    Frames = TakeReadingList();
    // Non-blocking, so that a pipe or device named like an MP3 file cannot stall the reading.
    constexpr int kFlags = O_RDONLY | O_NONBLOCK;
    platform::File file = folder == kNoFolder ? platform::File(*fileSystem_, FileName, kFlags)
                                              : platform::File(*fileSystem_, folder, FileName, kFlags);
    file.Lock(LOCK_SH | LOCK_NB);
    const struct stat status = file.Status();
    if (!S_ISREG(status.st_mode))
        throw Error(FileName.string() + ": not a regular file");
    fileSize_ = status.st_size;
    fingerprint_.identity = platform::FileIdentity::Of(status);
    ReadID3v1(file);
    const std::span<const std::uint8_t> audioHead = ReadFrames(file, ReadHead(file));
    const FirstFrame first = ReadFirstFrameHeader(file, AudioStart(), fileSize_, HasID3v1, audioHead);
    MPEGInfo = first.Info;
    AudioSize = first.AudioSize;
    if (source_)
        source_->SetFingerprint(fingerprint_);
    GiveBackReadingList(Frames);
}

void TID3v2Class::ReadID3v1(platform::File& file)
{
    const auto recordSize = static_cast<std::int64_t>(TID3v1Tag::kRecordSize);
    if (fileSize_ < recordSize)
        return;
    std::array<std::uint8_t, TID3v1Tag::kRecordSize> record {};
    const std::size_t got = file.ReadAt(record, fileSize_ - recordSize);
    fingerprint_.tailChecksum = Checksum(std::span(record.data(), got));
    auto tag = std::make_unique<TID3v1Tag>();
    ByteReader reader(std::span(record.data(), got));
    HasID3v1 = tag->LoadFromStream(reader, FrameSizeFormat::Plain);
    if (HasID3v1)
        Frames.push_back(std::move(tag));
}

// A file that is all tag can hold the letters "TAG" 128 bytes before its end inside a frame: they
// belong to that frame, not to an ID3v1 record (it would otherwise gain a record at every save).
void TID3v2Class::DropRecordInsideFrames(std::int64_t framesEnd)
{
    const auto recordStart = fileSize_ - static_cast<std::int64_t>(TID3v1Tag::kRecordSize);
    if (!HasID3v1 || recordStart >= framesEnd)
        return;
    HasID3v1 = false;
    Frames.erase(Frames.begin());
}

std::span<const std::uint8_t> TID3v2Class::ReadHead(platform::File& file)
{
    const auto size = static_cast<std::size_t>(std::min<std::int64_t>(fileSize_, kFirstRead));
    const std::span<std::uint8_t> buffer = ReadBuffer(size);
    return buffer.first(file.ReadAt(buffer, 0));
}

bool TID3v2Class::ReadID3v2Header(platform::File& file, std::span<const std::uint8_t> head)
{
    const std::span<const std::uint8_t> bytes = head.first(std::min(kTagHeaderSize, head.size()));
    fingerprint_.prefixLength = static_cast<std::int64_t>(bytes.size());
    fingerprint_.prefixChecksum = Checksum(bytes);
    header_ = ParseID3v2Header(bytes);
    HasID3v2 = header_.has_value();
    TagSize = HasID3v2 ? header_->Size : 0;
    Version = HasID3v2 ? header_->Version() : 0;
    hasFooter_ = false;
    if (HasID3v2 && header_->Major >= 4 && header_->HasFlag(ID3v2Header::kFooter)) {
        std::array<std::uint8_t, kFooterSize> footer {};
        hasFooter_ = IsFooter(std::span(footer.data(), file.ReadAt(footer, kTagHeaderSize + TagSize)));
    }
    return HasID3v2 && CanReadFrames(*header_);
}

std::span<const std::uint8_t> TID3v2Class::ReadFrames(
    platform::File& file, std::span<const std::uint8_t> head)
{
    saveRefusal_ = nullptr;
    if (!ReadID3v2Header(file, head)) {
        // A tag whose frames cannot be read would be lost, unseen, by a save.
        if (HasID3v2 && header_->Major == 2)
            saveRefusal_ = "the ID3v2.2 tag is compressed and cannot be read; saving would lose it";
        return HasID3v2 ? std::span<const std::uint8_t> {} : head;
    }
    // Read on only when the head ends before the first audio frame's header and VBR header would;
    // never more than the file holds, whatever the size field claims.
    const std::size_t firstRead = head.size();
    const std::int64_t end = std::min(AudioStart() + static_cast<std::int64_t>(kAudioHeadSize), fileSize_);
    std::vector<FileSpan> unread;
    if (static_cast<std::int64_t>(firstRead)
        < std::min(AudioStart() + static_cast<std::int64_t>(kVBRHeaderReach), end))
        head = ReadOnSkippingPictures(file, head, static_cast<std::size_t>(end), *header_, unread);
    std::span<const std::uint8_t> read = head.subspan(kTagHeaderSize);
    std::size_t framesEnd = 0;
    if (!ReadFramesLeaving(read, unread, framesEnd)) {
        // The frame headers misled the skipping: the tag is read whole, as if nothing had been left out.
        head = ReadOn(file, head.first(firstRead), static_cast<std::size_t>(end));
        read = head.subspan(kTagHeaderSize);
        ReadFramesOf(read, framesEnd);
    }
    const std::span<const std::uint8_t> body = read.first(std::min<std::size_t>(TagSize, read.size()));
    TrustTagSize(body, framesEnd);
    DropRecordInsideFrames(static_cast<std::int64_t>(kTagHeaderSize + framesEnd));
    const auto audioOffset = static_cast<std::size_t>(AudioStart()) - kTagHeaderSize;
    const std::span<const std::uint8_t> tagRest = read.first(std::min(audioOffset, read.size()));
    fingerprint_.prefixLength += static_cast<std::int64_t>(tagRest.size());
    fingerprint_.prefixChecksum = ChecksumSkipping(tagRest, static_cast<std::int64_t>(kTagHeaderSize),
        fingerprint_.skipped, fingerprint_.prefixChecksum);
    return read.subspan(tagRest.size());
}

// Reads the frames of the tag body in `read` (the bytes after the tag header), appended to Frames.
void TID3v2Class::ReadFramesOf(std::span<const std::uint8_t> read, std::size_t& framesEnd)
{
    const std::span<const std::uint8_t> body = read.first(std::min<std::size_t>(TagSize, read.size()));
    SourceToBe source(*fileSystem_, FileName);
    ReadID3v2Frames(Frames, body, *header_, fileSize_, FileName, &framesEnd, &source);
    // Only a file with bytes left in it needs to be found again.
    source_ = std::move(source).Made();
    fingerprint_.skipped = source_ ? source_->Left() : std::vector<FileSpan> {};
}

// ReadFramesOf over a body with unread stretches; false, with no frame added, unless the frames
// left each of them in the file, so that no frame was read from what stands in for them.
bool TID3v2Class::ReadFramesLeaving(
    std::span<const std::uint8_t> read, const std::vector<FileSpan>& unread, std::size_t& framesEnd)
{
    if (unread.empty()) {
        ReadFramesOf(read, framesEnd);
        return true;
    }
    const std::size_t framesBefore = Frames.size();
    try {
        ReadFramesOf(read, framesEnd);
        if (AllLeftInFile(unread, fingerprint_.skipped))
            return true;
    } catch (const Error&) {
        // The whole tag will tell whether the file is damaged.
    }
    Frames.resize(framesBefore);
    return false;
}

// A size field that claims more than the file holds, or frames followed by bytes that are not padding
// (an MPEG frame sync, say) before the claimed end, mean the size is wrong: the tag ends with its last
// frame and the rest is audio. Frame offsets are file offsets only where nothing was unsynchronised.
void TID3v2Class::TrustTagSize(std::span<const std::uint8_t> body, std::size_t framesEnd)
{
    trustedTagSize_.reset();
    const bool beyondFile = static_cast<std::int64_t>(kTagHeaderSize + TagSize) > fileSize_;
    // An ID3v1 record that the size field wrongly claims is no sign of audio: it is kept as a record.
    const auto recordStart = fileSize_ - static_cast<std::int64_t>(kTagHeaderSize + TID3v1Tag::kRecordSize);
    const std::size_t checkedEnd = HasID3v1 && recordStart >= 0
        ? std::min(body.size(), static_cast<std::size_t>(recordStart))
        : body.size();
    const auto afterFrames = body.first(checkedEnd).subspan(std::min(framesEnd, checkedEnd));
    const bool notPadding = !AllZero(afterFrames);
    // Zeros to the end of the file are padding of a cut-off tag, not audio.
    if (!notPadding || (hasFooter_ && !beyondFile))
        return;
    if (header_->HasFlag(ID3v2Header::kUnsynchronisation) && header_->Major <= 3) {
        if (beyondFile)
            saveRefusal_
                = "the tag's size claims more than the file holds, and where its frames end cannot be told";
        return;
    }
    trustedTagSize_ = static_cast<std::uint32_t>(framesEnd);
}

std::int64_t TID3v2Class::AudioStart() const
{
    if (!HasID3v2)
        return 0;
    if (trustedTagSize_)
        return static_cast<std::int64_t>(kTagHeaderSize + *trustedTagSize_);
    return static_cast<std::int64_t>(kTagHeaderSize + TagSize + (hasFooter_ ? kFooterSize : 0));
}

int TID3v2Class::AddFrame(std::unique_ptr<TTag> frame)
{
    frame->LookupNames();
    Frames.push_back(std::move(frame));
    return FrameCount() - 1;
}

TTag* TID3v2Class::FindFrameByID(std::string_view id, int n) const
{
    if (id.size() != 4)
        return nullptr;
    for (const auto& frame : Frames) {
        if (frame->ID == id && --n == 0)
            return frame.get();
    }
    return nullptr;
}

std::unique_ptr<TID3v2Class> TID3v2Class::Clone() const
{
    return std::unique_ptr<TID3v2Class>(new TID3v2Class(*this));
}

std::filesystem::path TID3v2Class::Save(platform::FolderSync folderSync)
{
    if (saveRefusal_ != nullptr)
        throw Error(FileName.string() + ": " + saveRefusal_);
    std::filesystem::path target;
    if (fileSystem_->RealPath(FileName, target) != 0)
        platform::ThrowSystemError(FileName, "cannot open", errno);
    // Opened for writing although only read: a file the user may not write is not replaced either.
    platform::File source(*fileSystem_, target, O_RDWR | O_NONBLOCK);
    source.Lock(LOCK_EX | LOCK_NB);
    const struct stat status = source.Status();
    if (FingerprintOf(source, status, fingerprint_.prefixLength, fingerprint_.skipped) != fingerprint_)
        ThrowChangedSinceRead(FileName);
    std::vector<std::size_t> frameStarts;
    const ByteVector tag = RenderTag(source, frameStarts);
    const std::vector<FileSpan> left = SpansOf(FramesLeftInFile(Frames, frameStarts));
    TagFingerprint written;
    const auto write = [&](platform::File& from, platform::File& to) {
        WriteNewContent(from, to, tag);
        written = FingerprintOf(to, to.Status(), static_cast<std::int64_t>(tag.size()), left);
    };
    // A rename would split a file from its other hard links.
    if (status.st_nlink > 1)
        platform::RewriteInPlace(*fileSystem_, source, write, folderSync);
    else
        platform::ReplaceFileContent(
            *fileSystem_, target, platform::AttributesOf(source),
            [&](platform::File& replacement) { write(source, replacement); }, folderSync);
    TakeSavedLayout(tag, written);
    LeaveInSavedFile(frameStarts, written);
    return target;
}

// Frames whose bytes stay in the file read them from the file being saved, which is locked already.
ByteVector TID3v2Class::RenderTag(platform::File& file, std::vector<std::size_t>& frameStarts) const
{
    std::optional<TagSource::ReadingFrom> reading;
    if (source_)
        reading.emplace(*source_, file);
    return RenderID3v2Tag(HeaderForSave(header_), Frames, FileName, &frameStarts);
}

// Large held bytes are now where the save wrote them: they are read from there from now on, and
// those held in memory until now no longer are.
void TID3v2Class::LeaveInSavedFile(const std::vector<std::size_t>& frameStarts, const TagFingerprint& written)
{
    const std::vector<LeftInFile> left = FramesLeftInFile(Frames, frameStarts);
    source_.reset();
    if (left.empty())
        return;
    source_ = std::make_shared<TagSource>(*fileSystem_, FileName);
    source_->SetFingerprint(written);
    for (const LeftInFile& frame : left)
        *Frames[frame.index]->Held()
            = HeldBytes(source_, frame.span.offset, static_cast<std::size_t>(frame.span.length));
}

// The file now holds the new tag, the record (when there is one) and the audio after the tag: a
// later save must find them there. Only now: a failed save leaves every edit marked, so that saving
// again writes the ID3v1 record.
void TID3v2Class::TakeSavedLayout(const ByteVector& tag, const TagFingerprint& written)
{
    fingerprint_ = written;
    fileSize_ = written.identity.size;
    header_ = ParseID3v2Header(tag);
    HasID3v2 = header_.has_value();
    TagSize = HasID3v2 ? header_->Size : 0;
    Version = HasID3v2 ? header_->Version() : 0;
    hasFooter_ = false;
    trustedTagSize_.reset();
    HasID3v1 = FindFrameByClass<TID3v1Tag>(1) != nullptr;
    for (auto& frame : Frames)
        frame->Changed = false;
}

void TID3v2Class::WriteNewContent(platform::File& source, platform::File& temporary, const ByteVector& tag)
{
    temporary.WriteAt(tag, 0);
    const std::int64_t audioStart = std::min(AudioStart(), fileSize_);
    const std::int64_t audioLength = fileSize_ - audioStart;
    const auto audioOffset = static_cast<std::int64_t>(tag.size());
    temporary.CopyFrom(source, audioStart, audioLength, audioOffset);

    const TID3v1Tag* record = FindFrameByClass<TID3v1Tag>(1);
    // A record the old tag's size field claimed as its own is not among the copied audio: it is
    // written from memory, changed or not, so that it is not lost.
    const bool recordLeftBehind
        = HasID3v1 && audioStart > fileSize_ - static_cast<std::int64_t>(TID3v1Tag::kRecordSize);
    if (!record || !(record->Changed || recordLeftBehind))
        return;
    // The new file is at least one padding block long, so its last 128 bytes exist: a record copied
    // with the audio is overwritten, otherwise the record is appended.
    const std::int64_t end = audioOffset + audioLength;
    const std::int64_t lastRecord = end - static_cast<std::int64_t>(TID3v1Tag::kRecordSize);
    std::array<std::uint8_t, kID3v1Magic.size()> magic {};
    temporary.ReadAt(magic, lastRecord);
    const bool overwrite = std::equal(kID3v1Magic.begin(), kID3v1Magic.end(), magic.begin());
    ByteWriter writer;
    record->SaveToStream(writer, FrameSizeFormat::Plain);
    temporary.WriteAt(writer.Data(), overwrite ? lastRecord : end);
}

} // namespace vennart::tags
