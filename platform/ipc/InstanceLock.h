#pragma once
// Where one user's instances meet, and the lock the first one holds.
//
// The folder is the user's runtime folder when it is the user's own and
// closed to others (owner only, as it should be); otherwise a folder of our
// own, "velk-editor-<uid>", under the temporary folder, made with mode 0700
// and used only while it is a real folder (no link), the user's, and closed
// to others. Nothing lies in the user's home.
//
// The lock is an advisory lock (flock) on a file in that folder: the kernel
// drops it when its holder ends however it ends (crash, kill), so a lock is
// never left behind. The file itself stays (it is only a place to lock);
// the holder's process id is written into it for people to read, and
// nothing relies on it.

#include <sys/types.h>

#include <memory>
#include <string>

namespace velkipc {

inline constexpr const char* kLockName = "velk-editor.lock";

// The folder for the lock and the socket; empty with `error` set when
// neither the runtime folder nor a private folder under `tempDir` can be
// used (or the socket's path would be too long). `runtimeDir` may be null.
std::string PrivateInstanceFolder(const char* runtimeDir, const std::string& tempDir, uid_t uid,
                                  std::string* error);

// The temporary folder: $TMPDIR when it is an absolute path, else /tmp.
std::string TemporaryFolder();

class InstanceLock {
public:
    enum class Result { kTaken, kHeldByAnother, kFailed };

    // Takes the lock `folder`/kLockName without waiting. The lock when taken,
    // else null and `result` says why (`error` set on kFailed).
    static std::unique_ptr<InstanceLock> TryTake(const std::string& folder, Result& result,
                                                 std::string* error);
    ~InstanceLock();  // releases the lock
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace velkipc
