#pragma once
// A small file system of the test's own, mounted on a fresh folder for the
// test's scope and unmounted in every path: a full disk, a disk with no
// file left to make, a file system that reserves no room. Only root may
// mount: Mounted() is false when the mount is refused, and the test skips.

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

class SmallFileSystem {
public:
    // `type` as mount(8) takes it ("tmpfs", "ramfs"), `options` such as
    // "size=64k,nr_inodes=3" (a tmpfs's folder counts as one of its inodes).
    SmallFileSystem(const char* type, const std::string& options) {
        if (::geteuid() != 0 || folder_.Path().empty()) return;
        mounted_ =
            ::mount("velk-test", folder_.Path().c_str(), type, MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_ && ::umount2(folder_.Path().c_str(), 0) != 0)
            ::umount2(folder_.Path().c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    const std::filesystem::path& Path() const { return folder_.Path(); }
    std::filesystem::path operator/(const std::string& name) const { return folder_.Path() / name; }

    // Writes a file of the given name until the disk is full; true when it
    // ended on a full disk.
    bool Fill(const std::string& name) const {
        const int fd = ::open((Path() / name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        const std::vector<char> block(4096, 'f');
        ssize_t n = 0;
        while ((n = ::write(fd, block.data(), block.size())) > 0) {
        }
        const bool full = n < 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }

private:
    velktest::TempDir folder_;  // removed after the file system on it is unmounted
    bool mounted_ = false;
};
