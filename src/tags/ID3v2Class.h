// The tags of one MP3 file: one ordered list of frames in which the ID3v1 record (when the file has
// one) comes first, then the ID3v2 frames in file order, then frames added later. The object reads
// its file when it is created and writes it back, through a complete temporary copy, on Save.
#pragma once

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/SafeReplace.h"
#include "platform/StoredPath.h"
#include "tags/ID3v2Header.h"
#include "tags/ID3v2Reader.h"
#include "tags/MPEGHeader.h"
#include "tags/Tag.h"
#include "tags/TagFingerprint.h"
#include "tags/TagSource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vennart::tags {

class TID3v2Class {
public:
    TID3v2Class& operator=(const TID3v2Class&) = delete;
    // Reads the file at once; throws vennart::Error naming the file when it cannot be opened or read,
    // or when it is damaged (a frame runs past its end).
    explicit TID3v2Class(platform::StoredPath fileName);
    TID3v2Class(platform::StoredPath fileName, platform::FileSystem& fileSystem);
    // The same for a file of a folder that is held open (see platform::FileSystem::OpenIn), as a scan
    // reads the files it listed.
    TID3v2Class(platform::StoredPath fileName, platform::FileSystem& fileSystem, int folder);

    // A tag object of the same file with clones of every frame: a draft that a batch command may
    // change while this one stays as it is.
    std::unique_ptr<TID3v2Class> Clone() const;

    // Writes the file anew: a fresh ID3v2 tag with every ID3v2 frame, the old audio data, and the
    // ID3v1 record (rewritten when changed). The original is replaced only once the new content is
    // complete and on disk; any failure leaves it byte for byte as it was and throws vennart::Error.
    // A symbolic link stays a link: the file it points to is replaced. A file with other hard links is
    // rewritten in place, after a complete copy of it is on disk. A file that is no longer the one
    // that was read (another program changed or replaced it) is not written. A save of many files
    // may leave flushing their folder to the caller (platform::SyncFolder). Returns the file written:
    // the real path, past any symbolic links.
    std::filesystem::path Save(platform::FolderSync folderSync = platform::FolderSync::Now);

    // Which file was read, and in what state: rows that are one file have the same identity.
    const platform::FileIdentity& Identity() const { return fingerprint_.identity; }

    // Appends frame (the object owns it from now on) with the names of its identifier; returns its index.
    int AddFrame(std::unique_ptr<TTag> frame);
    int FrameCount() const { return static_cast<int>(Frames.size()); }
    TTag* GetFrame(int index) const { return Frames.at(static_cast<std::size_t>(index)).get(); }

    // The n-th frame (from 1) that is a T or derives from it; null when fewer exist.
    template <class T> T* FindFrameByClass(int n) const
    {
        for (const auto& frame : Frames) {
            if (auto* match = dynamic_cast<T*>(frame.get()); match && --n == 0)
                return match;
        }
        return nullptr;
    }

    // The n-th frame (from 1) whose identifier equals id exactly; null unless id has four characters.
    TTag* FindFrameByID(std::string_view id, int n) const;

    TMPEGHeaderInfo GetMPEGInfo() const { return MPEGInfo; }

    // Where the audio data begin: after the tag (where its last frame ends, when its size field
    // cannot be trusted), and after its footer when it has one.
    std::int64_t AudioStart() const;

    platform::StoredPath FileName;
    bool HasID3v2 = false;
    std::uint32_t TagSize = 0;
    std::uint16_t Version = 0;
    bool HasID3v1 = false;
    TMPEGHeaderInfo MPEGInfo;
    std::int64_t AudioSize = 0;
    FrameList Frames;

private:
    TID3v2Class(const TID3v2Class&) = default;
    // The first bytes of file, read in one piece: in most files the whole tag and the first audio
    // frame. Valid until the next file is read.
    std::span<const std::uint8_t> ReadHead(platform::File& file);
    // Parses the tag header at the start of head: sets HasID3v2, TagSize and Version; true when the
    // tag's frames are to be read (version 2.3 or later).
    bool ReadID3v2Header(platform::File& file, std::span<const std::uint8_t> head);
    // ReadID3v2Header, then every frame of the tag, appended to Frames. What head lacks of the tag is
    // read on, with the first bytes after the tag; the bytes from the audio start on are returned for
    // the search of the first audio frame. They stay valid until the next file is read.
    std::span<const std::uint8_t> ReadFrames(platform::File& file, std::span<const std::uint8_t> head);

    static constexpr int kNoFolder = -1;
    void ReadTags(int folder);
    void ReadID3v1(platform::File& file);
    void DropRecordInsideFrames(std::int64_t framesEnd);
    void ReadFramesOf(std::span<const std::uint8_t> read, std::size_t& framesEnd);
    bool ReadFramesLeaving(
        std::span<const std::uint8_t> read, const std::vector<FileSpan>& unread, std::size_t& framesEnd);
    void TrustTagSize(std::span<const std::uint8_t> body, std::size_t framesEnd);
    void WriteNewContent(platform::File& source, platform::File& temporary, const ByteVector& tag);
    void TakeSavedLayout(const ByteVector& tag, const TagFingerprint& written);
    ByteVector RenderTag(platform::File& file, std::vector<std::size_t>& frameStarts) const;
    void LeaveInSavedFile(const std::vector<std::size_t>& frameStarts, const TagFingerprint& written);

    platform::FileSystem* fileSystem_;
    std::optional<ID3v2Header> header_;
    bool hasFooter_ = false;
    // Where the tag ends when its size field cannot be trusted: just after its last frame.
    std::optional<std::uint32_t> trustedTagSize_;
    // Why this file cannot be saved, to follow its name in the message; null when it can. Not a
    // string of its own: thousands of tag objects would each hold one, nearly all empty.
    const char* saveRefusal_ = nullptr;
    std::int64_t fileSize_ = 0;
    TagFingerprint fingerprint_;
    // The file as it was read, for the frames whose bytes stay in it; null when none do.
    std::shared_ptr<TagSource> source_;
};

} // namespace vennart::tags
