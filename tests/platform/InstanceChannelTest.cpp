// The channel between a second start and the running instance: the socket's
// place, the raise request and its acknowledgement, a stale socket file, and
// a start that finds nobody listening.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/ipc/InstanceChannel.h"
#include "tests/support/TempDir.h"

namespace {

using namespace std::chrono_literals;

class InstanceChannel : public ::testing::Test {
protected:
    velktest::TempDir folder_;
    const std::string dir_ = folder_.Path().string();
    const std::string path_ = velkipc::InstanceSocketPath(dir_.c_str());
};

TEST_F(InstanceChannel, SocketLiesInTheRuntimeFolderOrNowhere) {
    EXPECT_EQ(path_, dir_ + "/velk-editor.sock");
    EXPECT_EQ(velkipc::InstanceSocketPath((dir_ + "/").c_str()), path_);
    EXPECT_EQ(velkipc::InstanceSocketPath(nullptr), "");
    EXPECT_EQ(velkipc::InstanceSocketPath(""), "");
    EXPECT_EQ(velkipc::InstanceSocketPath(("/" + std::string(120, 'r')).c_str()), "");
}

TEST_F(InstanceChannel, OnlyTheExactRequestCounts) {
    EXPECT_TRUE(velkipc::IsRaiseRequest("velk-raise\n"));
    for (const char* other : {"", "velk-raise", "velk-raise\n\n", "VELK-RAISE\n", "raise\n"})
        EXPECT_FALSE(velkipc::IsRaiseRequest(other)) << other;
}

TEST_F(InstanceChannel, SecondStartIsAcknowledgedAfterTheFirstWasAskedToRaise) {
    std::atomic<int> raises{0};
    std::string error;
    auto server = velkipc::InstanceServer::Open(
        path_, [&] { ++raises; }, &error);
    ASSERT_TRUE(server) << error;
    EXPECT_TRUE(velkipc::AskToRaise(path_, 2s));
    EXPECT_TRUE(velkipc::AskToRaise(path_, 2s));
    EXPECT_EQ(raises.load(), 2);

    // The socket is the user's alone and goes away with the first instance.
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    server.reset();
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_FALSE(velkipc::AskToRaise(path_, 200ms));
}

TEST_F(InstanceChannel, StartWithNobodyListeningEndsWithoutEffect) {
    EXPECT_FALSE(velkipc::AskToRaise(path_, 200ms));
}

TEST_F(InstanceChannel, GarbageIsIgnoredAndTheServerKeepsServing) {
    std::atomic<int> raises{0};
    auto server = velkipc::InstanceServer::Open(
        path_, [&] { ++raises; }, nullptr);
    ASSERT_TRUE(server);
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path_.c_str());
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::write(fd, "quit please\n", 12), 12);
        ::close(fd);
    }
    EXPECT_TRUE(velkipc::AskToRaise(path_, 2s));
    EXPECT_EQ(raises.load(), 1);
}

TEST_F(InstanceChannel, StaleSocketFromACrashIsReplacedButALiveOneIsNot) {
    {
        // A socket file whose listener is gone.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path_.c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    std::string error;
    auto first = velkipc::InstanceServer::Open(path_, nullptr, &error);
    ASSERT_TRUE(first) << error;
    auto second = velkipc::InstanceServer::Open(path_, nullptr, &error);
    EXPECT_FALSE(second);
    EXPECT_NE(error.find("bind"), std::string::npos);
    EXPECT_TRUE(velkipc::AskToRaise(path_, 2s));
}

}  // namespace
