#include "midifile/MFileMem.h"

#include <cstring>
#include <limits>
#include <new>

int MFileMem::Open(const std::filesystem::path& path) {
    Free();
    int result = MFile::Open(path);
    if (result == MErrOk) {
        if (GetSize() > sizeLimit_) {
            result = MErrFileTooLarge;
        } else if (GetSize() > std::numeric_limits<std::size_t>::max()) {
            result = MErrNoMemory;
        } else {
            const auto size = static_cast<std::size_t>(GetSize());
            result = Allocate(size);
            if (result == MErrOk) result = MFile::Read(owned_.data(), size);
            if (result == MErrOk) result = Seek(0, kSeekBegin);
            if (result != MErrOk) Free();
        }
    }
    MFile::Close();
    return result;
}

int MFileMem::Read(void* destination, std::size_t count) {
    if (!held_) return MErrFileNoBuffer;
    if (count > data_.size() - cursor_) return MErrFileRead;
    if (count > 0) std::memcpy(destination, data_.data() + cursor_, count);
    cursor_ += count;
    return MErrOk;
}

int MFileMem::Seek(std::int64_t distance, int origin) {
    if (!held_) return MErrFileNoBuffer;
    const auto size = static_cast<std::int64_t>(data_.size());
    std::int64_t base;
    switch (origin) {
    case kSeekBegin: base = 0; break;
    case kSeekCurrent: base = static_cast<std::int64_t>(cursor_); break;
    case kSeekEnd: base = size; break;
    default: return MErrFileNoBuffer;
    }
    // base and size are at most the buffer size, so only the sum can overflow.
    if (distance < -base || distance > size - base) return MErrFileNoBuffer;
    cursor_ = static_cast<std::size_t>(base + distance);
    return MErrOk;
}

std::int64_t MFileMem::GetPosition() const { return static_cast<std::int64_t>(cursor_); }

int MFileMem::Attach(std::span<const std::uint8_t> buffer) {
    Free();
    if (buffer.data() == nullptr) return MErrNullBuffer;
    data_ = buffer;
    held_ = true;
    cursor_ = 0;
    SetSize(buffer.size());
    return MErrOk;
}

int MFileMem::Allocate(std::size_t count) {
    Free();
    try {
        owned_.assign(count, 0);
    } catch (const std::bad_alloc&) {
        return MErrNoMemory;
    } catch (const std::length_error&) {
        return MErrNoMemory;
    }
    data_ = owned_;
    held_ = true;
    cursor_ = 0;
    SetSize(count);
    return MErrOk;
}

void MFileMem::Free() {
    std::vector<std::uint8_t>().swap(owned_);
    data_ = {};
    held_ = false;
    cursor_ = 0;
}

void MFileMem::Close() {
    Free();
    MFile::Close();
}
