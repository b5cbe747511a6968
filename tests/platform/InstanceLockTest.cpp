// Where one user's instances meet and the lock the first one holds: the
// runtime folder only when it is private, our own private folder otherwise
// (never one another user made, never a link); a lock left by a killed
// instance, whose process id now names a live process, is no lock; a lock
// another process holds is, until its holder is gone; and a start decides
// between raising the running instance and going on.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ipc/InstanceClaim.h"
#include "platform/ipc/InstanceLock.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using velkipc::InstanceClaim;
using velkipc::InstanceLock;
using velktest::TempDir;

// A child process that sleeps until killed; with `lockFile`, it first holds
// the lock on it (as a running instance, or a process that inherited it).
class Child {
public:
    explicit Child(const std::string& lockFile = "") {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only system calls from here on.
            if (!lockFile.empty()) {
                const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
                if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
            }
            [[maybe_unused]] const ssize_t n = ::write(ready[1], "r", 1);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char c = 0;
        EXPECT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
    }
    ~Child() { Kill(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    pid_t Pid() const { return pid_; }
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

TEST(InstanceFolder, TheRuntimeFolderOnlyWhenItIsPrivateElseOurOwnPrivateFolder) {
    TempDir scratch;
    const std::string runtime = scratch / "runtime";
    const std::string temp = scratch / "tmp";
    fs::create_directory(runtime);
    fs::create_directory(temp);
    const uid_t uid = ::geteuid();
    const std::string own = temp + "/velk-editor-" + std::to_string(uid);

    ::chmod(runtime.c_str(), 0700);
    std::string error;
    EXPECT_EQ(velkipc::PrivateInstanceFolder(runtime.c_str(), temp, uid, &error), runtime);

    const struct {
        const char* name;
        const char* runtimeDir;
        mode_t runtimeMode;
        // clang-format off
        } fallbacks[] = {
            {"no runtime folder", nullptr, 0700},
            {"an empty name", "", 0700},
            {"a runtime folder open to others", runtime.c_str(), 0755},
            {"a relative name", "runtime", 0700},
            {"a runtime folder of another user", runtime.c_str(), 0700},
        };
    // clang-format on
    for (const auto& c : fallbacks) {
        SCOPED_TRACE(c.name);
        fs::remove_all(own);
        ::chmod(runtime.c_str(), c.runtimeMode);
        const uid_t asUser = std::string(c.name).find("another") != std::string::npos ? uid + 1 : uid;
        const std::string ownOfUser = temp + "/velk-editor-" + std::to_string(asUser);
        EXPECT_EQ(velkipc::PrivateInstanceFolder(c.runtimeDir, temp, asUser, &error),
                  asUser == uid ? own : "")
            << error;
        if (asUser != uid) continue;  // its folder is this user's, not `asUser`'s
        EXPECT_EQ(ModeOf(own), S_IFDIR | 0700);
    }
    fs::remove_all(temp + "/velk-editor-" + std::to_string(uid + 1));

    // A folder of that name that is not private, or a link, is not used.
    ::chmod(runtime.c_str(), 0755);
    fs::remove_all(own);
    fs::create_directory(own);
    ::chmod(own.c_str(), 0777);
    EXPECT_EQ(velkipc::PrivateInstanceFolder(nullptr, temp, uid, &error), "");
    EXPECT_NE(error.find(own), std::string::npos) << error;
    fs::remove_all(own);
    fs::create_directory(scratch / "elsewhere");
    ::chmod((scratch / "elsewhere").c_str(), 0700);
    fs::create_directory_symlink(scratch / "elsewhere", own);
    EXPECT_EQ(velkipc::PrivateInstanceFolder(nullptr, temp, uid, &error), "");
    fs::remove(own);
    if (uid == 0) {
        // One another user made first.
        fs::create_directory(own);
        ::chmod(own.c_str(), 0700);
        ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
        EXPECT_EQ(velkipc::PrivateInstanceFolder(nullptr, temp, uid, &error), "");
    }
}

TEST(InstanceLock, ALockFileLeftByAKilledInstanceIsTakenThoughItsPidNowLives) {
    TempDir folder;
    // A killed instance leaves its lock file behind; its process id now
    // belongs to another live process.
    Child reusedPid;
    std::ofstream(folder / velkipc::kLockName) << reusedPid.Pid();
    InstanceLock::Result result;
    std::string error;
    auto lock = InstanceLock::TryTake(folder.Path(), result, &error);
    EXPECT_EQ(result, InstanceLock::Result::kTaken) << error;
    EXPECT_TRUE(lock);
}

TEST(InstanceLock, ALockAnotherProcessHoldsIsHeldUntilThatProcessIsGone) {
    TempDir folder;
    Child holder(folder / velkipc::kLockName);
    InstanceLock::Result result;
    std::string error;
    EXPECT_FALSE(InstanceLock::TryTake(folder.Path(), result, &error));
    EXPECT_EQ(result, InstanceLock::Result::kHeldByAnother);
    holder.Kill();  // killed: nothing cleans up after it
    EXPECT_TRUE(InstanceLock::TryTake(folder.Path(), result, &error)) << error;
    EXPECT_EQ(result, InstanceLock::Result::kTaken);

    // Taken in this process, it is held for every other take until released.
    {
        auto lock = InstanceLock::TryTake(folder.Path(), result, &error);
        ASSERT_TRUE(lock);
        EXPECT_FALSE(InstanceLock::TryTake(folder.Path(), result, &error));
        EXPECT_EQ(result, InstanceLock::Result::kHeldByAnother);
    }
    EXPECT_TRUE(InstanceLock::TryTake(folder.Path(), result, &error));
    EXPECT_EQ(ModeOf(folder / velkipc::kLockName), S_IFREG | 0600);
}

TEST(InstanceLock, NeverThroughALinkOrIntoSomethingElse) {
    TempDir folder;
    fs::create_directory(folder / "elsewhere");
    fs::create_symlink(folder / "elsewhere/victim", folder / velkipc::kLockName);
    InstanceLock::Result result;
    std::string error;
    EXPECT_FALSE(InstanceLock::TryTake(folder.Path(), result, &error));
    EXPECT_EQ(result, InstanceLock::Result::kFailed);
    EXPECT_FALSE(fs::exists(folder / "elsewhere/victim"));
    fs::remove(folder / velkipc::kLockName);
    ASSERT_EQ(::mkfifo((folder / velkipc::kLockName).c_str(), 0600), 0);
    EXPECT_FALSE(InstanceLock::TryTake(folder.Path(), result, &error));  // and no wait for a writer
    EXPECT_EQ(result, InstanceLock::Result::kFailed);
}

TEST(InstanceClaim, FirstStartListensAndALaterOneRaisesIt) {
    TempDir folder;
    std::atomic<int> raises{0};
    InstanceClaim first = velkipc::ClaimInstance(
        folder.Path(), [&] { ++raises; }, 5s);
    EXPECT_EQ(first.outcome, InstanceClaim::Outcome::kFirst);
    ASSERT_TRUE(first.lock);
    ASSERT_TRUE(first.server);
    EXPECT_TRUE(first.notes.empty());

    InstanceClaim second = velkipc::ClaimInstance(folder.Path(), nullptr, 5s);
    EXPECT_EQ(second.outcome, InstanceClaim::Outcome::kRaisedTheFirst);
    EXPECT_FALSE(second.lock);
    EXPECT_FALSE(second.server);
    EXPECT_EQ(raises.load(), 1);

    // Once the first is gone, the next start is the first.
    first = {};
    EXPECT_EQ(velkipc::ClaimInstance(folder.Path(), nullptr, 5s).outcome, InstanceClaim::Outcome::kFirst);
}

TEST(InstanceClaim, WhatAKilledInstanceLeftIsReplaced) {
    TempDir folder;
    const std::string socketPath = velkipc::InstanceSocketPath(folder.Path().c_str());
    {
        // It held the lock and listened; killed, it removed nothing.
        Child killed(folder / velkipc::kLockName);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    InstanceClaim claim = velkipc::ClaimInstance(folder.Path(), nullptr, 5s);
    EXPECT_EQ(claim.outcome, InstanceClaim::Outcome::kFirst);
    EXPECT_TRUE(claim.server);
    EXPECT_TRUE(velkipc::AskToRaise(socketPath, 5s));
}

TEST(InstanceClaim, AHolderThatNeverAnswersIsNoRunningInstance) {
    // A process that holds the lock (it inherited it, say) but listens on
    // no socket: the start waits for the timeout, then goes on alone.
    TempDir folder;
    Child holder(folder / velkipc::kLockName);
    const auto start = std::chrono::steady_clock::now();
    InstanceClaim claim = velkipc::ClaimInstance(folder.Path(), nullptr, 300ms);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_EQ(claim.outcome, InstanceClaim::Outcome::kWithoutLock);
    EXPECT_FALSE(claim.lock);
    ASSERT_EQ(claim.notes.size(), 1u);
    EXPECT_NE(claim.notes[0].find("does not answer"), std::string::npos);
    // It listens, so later starts raise it.
    ASSERT_TRUE(claim.server);
    EXPECT_TRUE(velkipc::AskToRaise(velkipc::InstanceSocketPath(folder.Path().c_str()), 5s));
}

}  // namespace
