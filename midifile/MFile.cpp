#include "midifile/MFile.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Collects the file's bytes, so that nothing on disk is touched before the
// contents are complete.
class MemorySink final : public MFileSink {
public:
    std::size_t Write(std::span<const std::uint8_t> bytes) override {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return bytes.size();
    }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Writes all bytes at `offset`, retrying partial writes.
bool WriteFullyAt(int fd, std::span<const std::uint8_t> bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Whether this user may replace the existing file: a regular file with a
// write bit for someone, which the user may write. The bits are checked on
// their own because root passes access(2) even for a file nobody may write.
bool MayReplace(const std::filesystem::path& path, const struct stat& info) {
    return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Reads exactly out.size() bytes from the start of the file.
bool ReadStart(int fd, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Overwrites the open regular file with `bytes` without ever losing it on
// failure. The room for the new contents is reserved first, and where the
// disk has no such room nothing is touched. The old bytes about to be
// overwritten are kept, so that a write that still fails part-way (a file
// system that reserves nothing, a file size limit, an I/O error) puts them
// back; the file is cut to its new length only after all of it was written.
bool OverwriteOrKeep(int fd, std::span<const std::uint8_t> bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const auto oldSize = static_cast<off_t>(info.st_size);
    if (!bytes.empty() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        // Cutting to the same length gives back what was reserved before the
        // room ran out; the save fails either way.
        [[maybe_unused]] const int cut = ::ftruncate(fd, oldSize);
        return false;
    }
    std::vector<std::uint8_t> overwritten(std::min(static_cast<std::size_t>(oldSize), bytes.size()));
    if (!ReadStart(fd, overwritten)) return false;
    if (WriteFullyAt(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
        ::fsync(fd) == 0)
        return true;
    // The old bytes go back where they were and the file gets its old length.
    WriteFullyAt(fd, overwritten, 0);
    if (::ftruncate(fd, oldSize) == 0) ::fsync(fd);
    return false;
}

// Overwrites an existing regular file where it stands (its owner and mode
// stay), keeping it whole when that fails. Whatever took its place since it
// was checked (a link, a FIFO) is neither followed nor waited on.
bool WriteInPlace(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    bool written = false;
    try {
        written = OverwriteOrKeep(fd, bytes);
    } catch (const std::bad_alloc&) {
    }
    return ::close(fd) == 0 && written;
}

// Makes a rename in `folder` survive a power cut. A folder that cannot be
// opened for reading (write and search rights only) cannot be synced and is
// left to the system; a file system that cannot sync folders says EINVAL.
bool SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

// A new file beside the target; removed on destruction unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        static std::atomic<unsigned> counter{0};
        const std::filesystem::path folder = target.parent_path();
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            std::string name = "." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                               std::to_string(counter.fetch_add(1));
            path_ = folder / name;
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) path_.clear();
    }
    ~TemporaryFile() {
        CloseFd();
        if (!committed_ && !path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // Gives the file the owner, group and permission bits of the file it is
    // to replace; false when this user may not.
    bool TakeOwnerAndMode(const struct stat& info) {
        return ::fchown(fd_, info.st_uid, info.st_gid) == 0 && ::fchmod(fd_, info.st_mode & 07777) == 0;
    }

    // Writes, syncs and closes the file, renames it over the target and syncs
    // the folder, so that the new file is on the disk under its name when this
    // returns true; false when any step fails.
    bool CommitTo(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
        if (!WriteFullyAt(fd_, bytes, 0) || ::fsync(fd_) != 0) return false;
        if (!CloseFd()) return false;
        if (::rename(path_.c_str(), target.c_str()) != 0) return false;
        committed_ = true;
        return SyncFolder(target.parent_path());
    }

private:
    bool CloseFd() {
        if (fd_ < 0) return true;
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0;
    }

    std::filesystem::path path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace

MFile::~MFile() { Close(); }

int MFile::Open(const std::filesystem::path& path) {
    Close();
    // The kind is checked before opening: opening a FIFO waits for a writer
    // that may never come, and a device may act on being opened. Opening
    // without blocking, then checking that the same file was opened, covers a
    // swap in between.
    struct stat checked {};
    if (::stat(path.c_str(), &checked) != 0 || !S_ISREG(checked.st_mode)) return MErrFileOpen;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return MErrFileOpen;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_dev != checked.st_dev ||
        info.st_ino != checked.st_ino) {
        ::close(fd);
        return MErrFileOpen;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    position_ = 0;
    Seek(0, kSeekBegin);
    return MErrOk;
}

int MFile::Save(const std::filesystem::path& path, int /*hidden*/, int argument) {
    position_ = 0;
    // The name itself is replaced: a link standing there is replaced by the
    // file, never written through (it may lead out of the library).
    struct stat existing {};
    const bool exists = ::lstat(path.c_str(), &existing) == 0;
    const bool regular = exists && S_ISREG(existing.st_mode);
    if (exists && !S_ISLNK(existing.st_mode) && !MayReplace(path, existing)) return MErrFileCreate;

    MemorySink contents;
    try {
        if (const int result = WriteContents(contents, argument); result != MErrOk) return result;
    } catch (const std::bad_alloc&) {
        return MErrNoMemory;
    }

    // Replacing by rename never leaves a half-written file. Where no temporary
    // can stand beside a regular file, or it cannot carry the file's owner and
    // mode, the file is overwritten where it is, when that can be done safely.
    {
        TemporaryFile temporary(path);
        if (temporary.IsOpen() && (!regular || temporary.TakeOwnerAndMode(existing)))
            return temporary.CommitTo(path, contents.Bytes()) ? MErrOk : MErrFileCreate;
    }
    if (!regular) return MErrFileCreate;
    return WriteInPlace(path, contents.Bytes()) ? MErrOk : MErrFileCreate;
}

int MFile::Read(void* destination, std::size_t count) {
    if (fd_ < 0) return MErrFileRead;
    auto* out = static_cast<std::uint8_t*>(destination);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done != count) {
        ::lseek(fd_, position_, SEEK_SET);
        return MErrFileRead;
    }
    position_ += static_cast<std::int64_t>(count);
    return MErrOk;
}

int MFile::Seek(std::int64_t distance, int origin) {
    if (fd_ < 0) return MErrFileNoBuffer;
    const auto size = static_cast<std::int64_t>(size_);
    std::int64_t target;
    switch (origin) {
    case kSeekBegin: target = std::max<std::int64_t>(distance, 0); break;
    case kSeekCurrent: target = std::max<std::int64_t>(position_ + distance, 0); break;
    case kSeekEnd: target = std::max<std::int64_t>(size + std::min<std::int64_t>(distance, 0), 0); break;
    default: return MErrFileNoBuffer;
    }
    if (::lseek(fd_, target, SEEK_SET) < 0) return MErrFileNoBuffer;
    position_ = target;
    return MErrOk;
}

std::int64_t MFile::GetPosition() const { return fd_ >= 0 ? position_ : 0; }

int MFile::WriteContents(MFileSink& /*sink*/, int /*argument*/) { return MErrOk; }

int MFile::Write(MFileSink& sink, const void* data, std::size_t count) {
    const std::size_t written = sink.Write({static_cast<const std::uint8_t*>(data), count});
    if (written != count) return MErrFileWrite;
    position_ += static_cast<std::int64_t>(count);
    return MErrOk;
}

int MFile::WriteByte(MFileSink& sink, std::uint8_t byte) { return Write(sink, &byte, 1); }

void MFile::SwapBytes(void* field, int width) {
    if (width != 2 && width != 4) return;
    auto* bytes = static_cast<std::uint8_t*>(field);
    std::reverse(bytes, bytes + width);
}

void MFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}
