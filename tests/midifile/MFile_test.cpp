#include <gtest/gtest.h>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "DiskCallLog.h"
#include "OddFiles.h"
#include "SmallFileSystem.h"
#include "FileSinks.h"
#include "midifile/MErrorCode.h"
#include "midifile/MFile.h"
#include "midifile/MFileCtrl.h"
#include "midifile/MFileMem.h"
#include "midifile/MFilePath.h"
#include "tests/support/TempDir.h"

namespace {

using velktest::ReadAll;
using velktest::TempDir;
using velktest::WriteAll;
using Bytes = std::vector<std::uint8_t>;

// Writes its bytes, optionally through a sink that fails after `budget` bytes.
class ContentsFile : public MFile {
public:
    explicit ContentsFile(Bytes contents, std::size_t budget = SIZE_MAX)
        : contents_(std::move(contents)), budget_(budget) {}
    int WriteContents(MFileSink& sink, int) override {
        FailingSink limited(sink, budget_);
        for (std::size_t i = 0; i + 1 < contents_.size(); i += 2)
            if (Write(limited, contents_.data() + i, 2) != 0) return -1;
        if (contents_.size() % 2 && WriteByte(limited, contents_.back()) != 0) return -1;
        return 0;
    }

private:
    Bytes contents_;
    std::size_t budget_;
};

TEST(MFile, OpenReadSeekPosition) {
    TempDir dir;
    WriteAll(dir / "f", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    MFile file;
    EXPECT_EQ(file.Open(dir / "missing"), 1);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Open(dir.Path()), 1);  // a folder is not a file
    ASSERT_EQ(file.Open(dir / "f"), 0);
    EXPECT_EQ(file.GetSize(), 10u);

    std::uint8_t buf[4] = {};
    EXPECT_EQ(file.Read(buf, 3), 0);
    EXPECT_EQ(buf[2], 3);
    EXPECT_EQ(file.GetPosition(), 3);
    EXPECT_EQ(file.Seek(-5, MFile::kSeekBegin), 0);
    EXPECT_EQ(file.GetPosition(), 0);
    EXPECT_EQ(file.Seek(10, MFile::kSeekEnd), 0);
    EXPECT_EQ(file.GetPosition(), 10);
    EXPECT_EQ(file.Seek(-2, MFile::kSeekEnd), 0);
    EXPECT_EQ(file.Read(buf, 4), 4);  // only 2 bytes left
    EXPECT_EQ(file.GetPosition(), 8);
    EXPECT_EQ(file.Read(buf, 2), 0);
    EXPECT_EQ(buf[1], 10);

    file.Close();
    EXPECT_EQ(file.Read(buf, 1), 4);
    EXPECT_EQ(file.Seek(0, MFile::kSeekBegin), 7);
    EXPECT_EQ(file.GetPosition(), 0);
}

TEST(MFile, SwapBytes) {
    std::uint8_t four[4] = {0x00, 0x00, 0x01, 0xE0};
    MFile::SwapBytes(four, 4);
    EXPECT_EQ(Bytes(four, four + 4), (Bytes{0xE0, 0x01, 0x00, 0x00}));
    std::uint8_t two[2] = {0x01, 0x02};
    MFile::SwapBytes(two, 2);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0x02, 0x01}));
    MFile::SwapBytes(four, 3);
    EXPECT_EQ(four[0], 0xE0);
}

TEST(MFileSave, ReplacesAnExistingFileAndLeavesNoTemporary) {
    TempDir dir;
    WriteAll(dir / "a.prg", Bytes(100, 0xAA));
    ContentsFile file({1, 2, 3});
    EXPECT_EQ(file.Save(dir / "a.prg", 1, 0), 0);  // the hidden flag is ignored
    EXPECT_EQ(ReadAll(dir / "a.prg"), (Bytes{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_FALSE(file.IsOpen());
}

TEST(MFileSave, AShortWriteLeavesTheOldFileByteIdentical) {
    TempDir dir;
    const Bytes old = {9, 8, 7, 6, 5};
    WriteAll(dir / "a.glb", old);
    for (std::size_t budget : {std::size_t{0}, std::size_t{3}, std::size_t{6}}) {
        ContentsFile file(Bytes(7, 0x11), budget);
        EXPECT_EQ(file.Save(dir / "a.glb"), -1) << budget;
        EXPECT_EQ(ReadAll(dir / "a.glb"), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
}

TEST(MFileSave, UncreatableTargetGivesMinus1) {
    TempDir dir;
    ContentsFile file({1});
    EXPECT_EQ(file.Save(dir / "no-such-folder" / "x.prg"), -1);
    std::filesystem::create_directory(dir / "taken");
    EXPECT_EQ(file.Save(dir / "taken"), -1);  // a folder is in the way
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

std::filesystem::perms Mode(const std::filesystem::path& path) {
    return std::filesystem::status(path).permissions() & std::filesystem::perms::mask;
}

std::size_t Entries(const std::filesystem::path& folder) {
    return std::size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Gives a folder its mode for the scope, then makes it writable again so the
// temporary folder can be removed.
class FolderMode {
public:
    FolderMode(std::filesystem::path folder, std::filesystem::perms mode) : folder_(std::move(folder)) {
        std::filesystem::permissions(folder_, mode);
    }
    ~FolderMode() {
        std::error_code ignored;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    }
    FolderMode(const FolderMode&) = delete;
    FolderMode& operator=(const FolderMode&) = delete;

private:
    std::filesystem::path folder_;
};

// Runs `body` as an ordinary user, whose writes the system checks against
// the permissions: when the tests run as root, in a child process that gave
// up root for the unprivileged "nobody" (65534); otherwise right here. The
// body's result, or nothing when root could not be given up.
std::optional<int> AsOrdinaryUser(const std::function<int()>& body) {
    if (::geteuid() != 0) return body();
    constexpr int kCannotDrop = 2;
    constexpr int kResultBase = 100;  // body results from -1 up fit an exit code
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(kCannotDrop);
        ::_exit(kResultBase + body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == kCannotDrop)
        return std::nullopt;
    return WEXITSTATUS(status) - kResultBase;
}

TEST(MFileSave, ReadOnlyFileIsRefusedAndKept) {
    // A file with no write bit for anyone is refused for every user, root
    // included, as it is when the file is created.
    using std::filesystem::perms;
    for (perms mode : {perms(0444), perms(0400), perms::none}) {
        SCOPED_TRACE(::testing::Message() << "mode " << std::oct << int(mode));
        TempDir dir;
        WriteAll(dir / "a.prg", {1, 2});
        std::filesystem::permissions(dir / "a.prg", mode);
        ContentsFile file({7, 7, 7});
        EXPECT_EQ(file.Save(dir / "a.prg"), -1);
        EXPECT_EQ(Mode(dir / "a.prg"), mode);
        std::filesystem::permissions(dir / "a.prg", perms::owner_read);
        EXPECT_EQ(ReadAll(dir / "a.prg"), (Bytes{1, 2}));
        EXPECT_EQ(Entries(dir.Path()), 1u);
    }
}

TEST(MFileSave, FileTheUserMayNotWriteIsRefusedAndKept) {
    TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);  // anyone may create here
    WriteAll(dir / "a.prg", {1, 2});
    // Writable by its group only: neither its owner nor "nobody" may write it.
    std::filesystem::permissions(dir / "a.prg", std::filesystem::perms(0464));
    const std::optional<int> result = AsOrdinaryUser([&] {
        return ContentsFile({7, 7, 7}).Save(dir / "a.prg");
    });
    if (!result) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*result, -1);
    EXPECT_EQ(ReadAll(dir / "a.prg"), (Bytes{1, 2}));
    EXPECT_EQ(Entries(dir.Path()), 1u);
}

TEST(MFileSave, WritableFileInAFolderTheUserCannotWriteIsWrittenInPlace) {
    TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
    std::filesystem::create_directory(dir / "shared");
    WriteAll(dir / "shared" / "a.prg", Bytes(50, 0xAA));
    std::filesystem::permissions(dir / "shared" / "a.prg", std::filesystem::perms(0666));
    const FolderMode readOnlyFolder(dir / "shared", std::filesystem::perms(0555));
    const std::optional<int> result = AsOrdinaryUser([&] {
        return ContentsFile({1, 2, 3}).Save(dir / "shared" / "a.prg");
    });
    if (!result) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(ReadAll(dir / "shared" / "a.prg"), (Bytes{1, 2, 3}));
    EXPECT_EQ(Mode(dir / "shared" / "a.prg"), std::filesystem::perms(0666));
    EXPECT_EQ(Entries(dir / "shared"), 1u);
}

TEST(MFileSave, FileOfAnotherOwnerKeepsItsOwner) {
    TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);  // anyone may create here
    WriteAll(dir / "a.prg", {1});
    std::filesystem::permissions(dir / "a.prg", std::filesystem::perms(0666));
    struct stat before {};
    ASSERT_EQ(::stat((dir / "a.prg").c_str(), &before), 0);
    const std::optional<int> result = AsOrdinaryUser([&] {
        return ContentsFile({2, 3}).Save(dir / "a.prg");
    });
    if (!result) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(ReadAll(dir / "a.prg"), (Bytes{2, 3}));
    struct stat after {};
    ASSERT_EQ(::stat((dir / "a.prg").c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(Mode(dir / "a.prg"), std::filesystem::perms(0666));
    EXPECT_EQ(Entries(dir.Path()), 1u);
}

TEST(MFileSave, ReplacedFileKeepsItsPermissionBits) {
    using std::filesystem::perms;
    for (perms mode : {perms(0600), perms(0640), perms(0604), perms(0755), perms(0200)}) {
        SCOPED_TRACE(::testing::Message() << "mode " << std::oct << int(mode));
        TempDir dir;
        WriteAll(dir / "a.prg", {1});
        std::filesystem::permissions(dir / "a.prg", mode);
        ContentsFile file({4, 5});
        EXPECT_EQ(file.Save(dir / "a.prg"), 0);
        EXPECT_EQ(Mode(dir / "a.prg"), mode);
        std::filesystem::permissions(dir / "a.prg", perms::owner_read);
        EXPECT_EQ(ReadAll(dir / "a.prg"), (Bytes{4, 5}));
    }
}

// Whether the file holds exactly `expected`; else where it differs.
::testing::AssertionResult Holds(const std::filesystem::path& path, const Bytes& expected) {
    const Bytes actual = ReadAll(path);
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto differ = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure()
           << path.filename() << " holds " << actual.size() << " bytes in place of " << expected.size()
           << ", differing from byte " << (differ.first - actual.begin());
}

TEST(MFileSave, AFullDiskNeverCostsTheOldFile) {
    // A full disk of 64 KiB. With no inode left for a temporary the file is
    // overwritten where it stands: that must not begin unless all of the new
    // contents fit, and contents that fit are written whole.
    const Bytes old(31, 0x0A);
    const struct {
        const char* name;
        int inodes;  // the folder, the file and the filler take three
        std::size_t newSize;
        int result;
        // clang-format off
        } cases[] = {
            {"no inode left, larger contents", 3, 8192, -1},
            {"no inode left, contents one byte over a page", 3, 4097, -1},
            {"no inode left, smaller contents", 3, 10, 0},
            {"no inode left, contents that fill the file's page", 3, 4096, 0},
            {"inodes left, larger contents", 16, 8192, -1},
        };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SmallFileSystem disk("tmpfs", "size=64k,nr_inodes=" + std::to_string(c.inodes));
        if (!disk.Mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here (root only)";
        WriteAll(disk / "a.prg", old);
        ASSERT_TRUE(disk.Fill("filler"));
        const Bytes contents(c.newSize, 0x5B);
        EXPECT_EQ(ContentsFile(contents).Save(disk / "a.prg"), c.result);
        EXPECT_TRUE(Holds(disk / "a.prg", c.result == 0 ? contents : old));
        EXPECT_EQ(Entries(disk.Path()), 2u);  // no temporary left
    }
}

TEST(MFileSave, AWriteInPlaceCutShortPutsTheOldBytesBack) {
    // Where the file system reserves no room ahead (as network file systems
    // often do; here a ramfs) and the write is cut short part-way (here by
    // the user's file size limit), an overwrite in place puts the old bytes
    // back. The folder is not writable, so no temporary can stand beside the
    // file.
    SmallFileSystem disk("ramfs", "");
    if (!disk.Mounted()) GTEST_SKIP() << "a ramfs cannot be mounted here (root only)";
    std::filesystem::permissions(disk.Path(), std::filesystem::perms(0755));
    std::filesystem::create_directory(disk / "shared");
    Bytes old(5000);
    for (std::size_t i = 0; i < old.size(); ++i) old[i] = std::uint8_t(i * 7);
    WriteAll(disk / "shared" / "a.prg", old);
    std::filesystem::permissions(disk / "shared" / "a.prg", std::filesystem::perms(0666));
    const FolderMode readOnlyFolder(disk / "shared", std::filesystem::perms(0555));
    for (std::size_t newSize : {std::size_t{8000}, std::size_t{3000}}) {
        SCOPED_TRACE(::testing::Message() << newSize << " bytes over " << old.size());
        const std::optional<int> result = AsOrdinaryUser([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit limit = {2000, 2000};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 7;
            return ContentsFile(Bytes(newSize, 0x5B)).Save(disk / "shared" / "a.prg");
        });
        if (!result) GTEST_SKIP() << "running as root and cannot become an ordinary user";
        EXPECT_EQ(*result, -1);
        EXPECT_TRUE(Holds(disk / "shared" / "a.prg", old));
        EXPECT_EQ(Entries(disk / "shared"), 1u);
    }
}

TEST(MFileSave, TheFileIsOnTheDiskBeforeItsNameAndItsNameBeforeTheSaveEnds) {
    // A power cut right after a save must not lose it: the new file is synced
    // before it is renamed over the old one, and the folder after the rename.
    for (const bool replacing : {true, false}) {
        SCOPED_TRACE(replacing ? "replacing a file" : "a new file");
        TempDir dir;
        const std::filesystem::path folder = std::filesystem::canonical(dir.Path());
        if (replacing) WriteAll(folder / "a.prg", {9, 9});
        DiskCallLog log;
        ASSERT_EQ(ContentsFile({1, 2, 3}).Save(folder / "a.prg"), 0);
        const int renamed = log.IndexOf(DiskCall::Kind::kRename, folder / "a.prg");
        ASSERT_GE(renamed, 0);
        const int fileSynced = log.IndexOf(DiskCall::Kind::kSync, log.Calls()[std::size_t(renamed)].from);
        EXPECT_GE(fileSynced, 0) << "the new file is never synced";
        EXPECT_LT(fileSynced, renamed);
        const int folderSynced = log.IndexOf(DiskCall::Kind::kSync, folder);
        EXPECT_GT(folderSynced, renamed) << "the folder is not synced after the rename";
        EXPECT_EQ(ReadAll(folder / "a.prg"), (Bytes{1, 2, 3}));
    }
}

TEST(MFileSave, SaveReplacesALinkItselfAndNeverWritesWhereItLeads) {
    // The edited file in the library was replaced by a link to a file outside
    // it (or to one not there yet, or to a link loop): saving puts a file in
    // the link's place and leaves whatever the link led to alone.
    const struct {
        const char* name;
        const char* leadsTo;
        // clang-format off
        } cases[] = {
            {"outside", "../outside/victim"},
            {"chain", "outside.lnk"},
            {"dangling", "../outside/new-file"},
            {"loop", "loop.lnk"},
        };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::filesystem::create_directory(dir / "library");
        std::filesystem::create_directory(dir / "outside");
        WriteAll(dir / "outside" / "victim", {9, 9});
        std::filesystem::permissions(dir / "outside" / "victim", std::filesystem::perms(0640));
        std::filesystem::create_symlink("../outside/victim", dir / "library" / "outside.lnk");
        std::filesystem::create_symlink("a.prg", dir / "library" / "loop.lnk");
        std::filesystem::create_symlink(c.leadsTo, dir / "library" / "a.prg");

        EXPECT_EQ(ContentsFile({2, 3}).Save(dir / "library" / "a.prg"), 0);
        EXPECT_FALSE(std::filesystem::is_symlink(dir / "library" / "a.prg"));
        EXPECT_EQ(ReadAll(dir / "library" / "a.prg"), (Bytes{2, 3}));
        EXPECT_EQ(ReadAll(dir / "outside" / "victim"), (Bytes{9, 9}));
        EXPECT_EQ(Mode(dir / "outside" / "victim"), std::filesystem::perms(0640));
        EXPECT_EQ(Entries(dir / "outside"), 1u);  // nothing created out there
        EXPECT_EQ(Entries(dir / "library"), 3u);  // no temporary left
    }
}

TEST(MFileSave, ALinkInAFolderTheUserCannotWriteIsNotWrittenThrough) {
    // Where the link cannot be replaced, the file it leads to is not written
    // in its place.
    TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
    std::filesystem::create_directory(dir / "shared");
    WriteAll(dir / "victim", {9});
    std::filesystem::permissions(dir / "victim", std::filesystem::perms(0666));
    std::filesystem::create_symlink("../victim", dir / "shared" / "a.prg");
    const FolderMode readOnlyFolder(dir / "shared", std::filesystem::perms(0555));
    const std::optional<int> result = AsOrdinaryUser([&] {
        return ContentsFile({1, 2}).Save(dir / "shared" / "a.prg");
    });
    if (!result) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*result, -1);
    EXPECT_EQ(ReadAll(dir / "victim"), (Bytes{9}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "shared" / "a.prg"));
}

TEST(MFileSave, AFifoInTheFilesPlaceIsRefusedWithoutWaiting) {
    TempDir dir;
    ASSERT_TRUE(oddfiles::MakeFifo(dir / "a.prg"));
    int result = 0;
    EXPECT_TRUE(
        oddfiles::EndsWithoutAWriter(dir / "a.prg", [&] { result = ContentsFile({1}).Save(dir / "a.prg"); }));
    EXPECT_EQ(result, -1);
    EXPECT_EQ(std::filesystem::status(dir / "a.prg").type(), std::filesystem::file_type::fifo);
    EXPECT_EQ(Entries(dir.Path()), 1u);
}

TEST(MFile, OpenRefusesAFifoAtOnceInsteadOfWaitingForAWriter) {
    // A FIFO named like a dump file, or a link to one, in a library folder:
    // opening it must not wait for a writer that never comes.
    TempDir dir;
    ASSERT_TRUE(oddfiles::MakeFifo(dir / "x.prg"));
    std::filesystem::create_symlink("x.prg", dir / "link.prg");
    for (const char* name : {"x.prg", "link.prg"}) {
        SCOPED_TRACE(name);
        int plain = 0;
        int whole = 0;
        EXPECT_TRUE(oddfiles::EndsWithoutAWriter(dir / "x.prg", [&] { plain = MFile().Open(dir / name); }));
        EXPECT_TRUE(
            oddfiles::EndsWithoutAWriter(dir / "x.prg", [&] { whole = MFileMem().Open(dir / name); }));
        EXPECT_EQ(plain, 1);
        EXPECT_EQ(whole, 1);
    }
}

TEST(MFileMem, OpenHoldsTheWholeFileAndNeverReadsPastIt) {
    TempDir dir;
    WriteAll(dir / "f", {1, 2, 3, 4});
    WriteAll(dir / "empty", {});
    MFileMem mem;
    EXPECT_EQ(mem.Open(dir / "missing"), 1);
    EXPECT_FALSE(mem.HasBuffer());
    ASSERT_EQ(mem.Open(dir / "empty"), 0);
    EXPECT_TRUE(mem.HasBuffer());
    EXPECT_EQ(mem.GetData().size(), 0u);

    ASSERT_EQ(mem.Open(dir / "f"), 0);
    EXPECT_FALSE(mem.IsOpen());  // the file itself is closed again
    std::uint8_t buf[8] = {};
    EXPECT_EQ(mem.Seek(1, MFile::kSeekBegin), 0);
    EXPECT_EQ(mem.Read(buf, 4), 4);
    EXPECT_EQ(mem.GetPosition(), 1);
    EXPECT_EQ(mem.Read(buf, 3), 0);
    EXPECT_EQ(buf[2], 4);
    EXPECT_EQ(mem.GetPosition(), 4);
    EXPECT_EQ(mem.Seek(1, MFile::kSeekCurrent), 7);
    EXPECT_EQ(mem.Seek(-5, MFile::kSeekEnd), 7);
    EXPECT_EQ(mem.Seek(-4, MFile::kSeekEnd), 0);
    EXPECT_EQ(mem.GetPosition(), 0);

    mem.Close();
    EXPECT_EQ(mem.Read(buf, 1), 7);
    EXPECT_EQ(mem.Seek(0, MFile::kSeekBegin), 7);
}

TEST(MFileMem, AttachAndAllocate) {
    MFileMem mem;
    EXPECT_EQ(mem.Attach({static_cast<const std::uint8_t*>(nullptr), 0}), 18);
    const Bytes caller = {5, 6, 7};
    ASSERT_EQ(mem.Attach(caller), 0);
    EXPECT_EQ(mem.GetSize(), 3u);
    std::uint8_t b = 0;
    EXPECT_EQ(mem.Seek(2, MFile::kSeekBegin), 0);
    EXPECT_EQ(mem.Read(&b, 1), 0);
    EXPECT_EQ(b, 7);
    mem.Free();
    EXPECT_EQ(caller, (Bytes{5, 6, 7}));  // left to its owner
    EXPECT_EQ(mem.Allocate(16), 0);
    EXPECT_EQ(mem.GetData().size(), 16u);
    EXPECT_EQ(mem.Allocate(SIZE_MAX), 11);
    EXPECT_FALSE(mem.HasBuffer());
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)  // sanitizers abort on a huge allocation
    EXPECT_EQ(mem.Allocate(std::size_t{1} << 62), 11);
    EXPECT_FALSE(mem.HasBuffer());
#endif
}

TEST(MFileMem, AFileAboveTheSizeLimitIsRefusedBeforeAnyOfItIsRead) {
    TempDir dir;
    constexpr std::uint64_t kLimit = 1 << 20;
    ASSERT_TRUE(oddfiles::MakeSparseFile(dir / "huge.prg", std::uint64_t{1} << 30));  // 1 GiB
    ASSERT_TRUE(oddfiles::MakeSparseFile(dir / "at-limit", kLimit));
    ASSERT_TRUE(oddfiles::MakeSparseFile(dir / "one-more", kLimit + 1));
    MFileMem mem;
    mem.SetSizeLimit(kLimit);

    const long peakBefore = oddfiles::PeakMemoryKiB();
    EXPECT_EQ(mem.Open(dir / "huge.prg"), MErrFileTooLarge);
    EXPECT_LT(oddfiles::PeakMemoryKiB() - peakBefore, 256 * 1024) << "the file was read into memory";
    EXPECT_FALSE(mem.HasBuffer());
    EXPECT_FALSE(mem.IsOpen());

    EXPECT_EQ(mem.Open(dir / "one-more"), MErrFileTooLarge);
    ASSERT_EQ(mem.Open(dir / "at-limit"), 0);
    EXPECT_EQ(mem.GetData().size(), kLimit);
}

TEST(MFileCtrl, FoldersBelowTheRoot) {
    MFileCtrl ctrl;
    ctrl.SetRootPath("/data/Lib");
    EXPECT_EQ(ctrl.GetRootPath(), "/data/Lib");
    EXPECT_EQ(ctrl.GetSetupPath(), "/data/Lib/My Setup");
    EXPECT_EQ(ctrl.GetLibraryPath(), "/data/Lib/My Library");
    const std::string longRoot = "/" + std::string(600, 'r');
    ctrl.SetRootPath(longRoot);
    EXPECT_EQ(ctrl.GetLibraryPath().string(), longRoot + "/My Library");
}

TEST(MFileCtrl, DefaultRootIsTheDocumentsFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir / "cfg");
    {
        std::ofstream out(dir / "cfg" / "user-dirs.dirs");
        out << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
    }
    const std::string home = (dir / "home").string();
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
    ::unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(MFileCtrl::DefaultRoot(), home + "/Docs");
    EXPECT_EQ(MFileCtrl().GetSetupPath(), home + "/Docs/My Setup");
    ::setenv("XDG_DOCUMENTS_DIR", "/elsewhere", 1);
    EXPECT_EQ(MFileCtrl::DefaultRoot(), "/elsewhere");
    ::unsetenv("XDG_DOCUMENTS_DIR");
    ::setenv("XDG_CONFIG_HOME", (dir / "none").c_str(), 1);
    EXPECT_EQ(MFileCtrl::DefaultRoot(), home);
}

TEST(MFilePath, KeepsLongPathsWhole) {
    MFilePath path;
    const std::string text = "/lib/" + std::string(300, 'p') + ".prg";
    EXPECT_EQ(path.Set(text), 0);
    EXPECT_EQ(path.Get().string(), text);
}

}  // namespace
