#include "platform/ipc/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/ipc/InstanceChannel.h"

namespace velkipc {

namespace {

std::string ErrnoText() { return std::strerror(errno); }

// A folder only `uid` may enter: its own, no access for group or others.
bool IsPrivateFolder(const struct stat& info, uid_t uid) {
    return S_ISDIR(info.st_mode) && info.st_uid == uid && (info.st_mode & 077) == 0;
}

// The runtime folder when it can be used as it is.
bool UsableRuntimeFolder(const char* runtimeDir, uid_t uid, std::string& why) {
    if (runtimeDir == nullptr || *runtimeDir == '\0') {
        why = "no XDG_RUNTIME_DIR";
        return false;
    }
    struct stat info {};
    if (*runtimeDir != '/' || ::stat(runtimeDir, &info) != 0 || !IsPrivateFolder(info, uid)) {
        why = "XDG_RUNTIME_DIR " + std::string(runtimeDir) + " is not a folder private to this user";
        return false;
    }
    if (InstanceSocketPath(runtimeDir).empty()) {
        why = "XDG_RUNTIME_DIR " + std::string(runtimeDir) + " is too long a path for a socket";
        return false;
    }
    return true;
}

}  // namespace

std::string TemporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp == '/' ? tmp : "/tmp";
}

std::string PrivateInstanceFolder(const char* runtimeDir, const std::string& tempDir, uid_t uid,
                                  std::string* error) {
    std::string why;
    if (UsableRuntimeFolder(runtimeDir, uid, why)) return runtimeDir;

    // A folder of our own. Another user may have made one of this name
    // first, or a link in its place: then it is not used.
    std::string folder = tempDir;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    folder += "velk-editor-" + std::to_string(uid);
    const auto fail = [&](const std::string& what) {
        if (error) *error = why + ", and " + folder + " " + what;
        return std::string();
    };
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken bits the owner needs.
        if (::chmod(folder.c_str(), 0700) != 0) return fail("cannot be made private: " + ErrnoText());
    } else if (errno != EEXIST) {
        return fail("cannot be made: " + ErrnoText());
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) return fail("cannot be read: " + ErrnoText());
    if (!IsPrivateFolder(info, uid)) return fail("is not a folder private to this user");
    if (InstanceSocketPath(folder.c_str()).empty()) return fail("is too long a path for a socket");
    return folder;
}

std::unique_ptr<InstanceLock> InstanceLock::TryTake(const std::string& folder, Result& result,
                                                    std::string* error) {
    result = Result::kFailed;
    const std::string path = folder + "/" + kLockName;
    const auto fail = [&](const std::string& what) {
        if (error) *error = path + ": " + what;
        return nullptr;
    };
    // Never through a link, never waiting on something that is not a file.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return fail(ErrnoText());
    std::unique_ptr<InstanceLock> lock(new InstanceLock(fd));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return fail("not a regular file");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            result = Result::kHeldByAnother;
            return nullptr;
        }
        return fail(ErrnoText());
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
    }
    result = Result::kTaken;
    return lock;
}

InstanceLock::~InstanceLock() { ::close(fd_); }

}  // namespace velkipc
