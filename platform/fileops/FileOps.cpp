#include "platform/fileops/FileOps.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace velk::fileops {
namespace {

std::string Describe(const fs::path& path, const std::string& why) { return path.string() + ": " + why; }

std::string ErrnoText(int err) { return std::generic_category().message(err); }

// Is `inner` the same as `outer` or somewhere below it? Both are resolved
// first, so "a/../b" and links to folders are judged by where they lead.
bool IsSameOrBelow(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path in = fs::weakly_canonical(inner, ec);
    if (ec) return false;
    const fs::path out = fs::weakly_canonical(outer, ec);
    if (ec) return false;
    auto i = in.begin();
    for (auto o = out.begin(); o != out.end(); ++o, ++i) {
        if (o->empty()) continue;  // a trailing separator
        if (i == in.end() || *i != *o) return false;
    }
    return true;
}

// A name beside `target` that nothing uses yet, for writing before renaming.
fs::path TemporaryBeside(const fs::path& target) {
    const fs::path folder = target.parent_path();
    const std::string stem = "." + target.filename().string() + ".velk-";
    for (int i = 0; i < 1000; ++i) {
        fs::path candidate = folder / (stem + std::to_string(::getpid()) + "-" + std::to_string(i));
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
    return folder / (stem + "last");
}

struct FdCloser {
    int fd = -1;
    ~FdCloser() {
        if (fd >= 0) ::close(fd);
    }
};

// Copies a regular file's bytes and permission bits to `to` (which must not
// exist), keeping its modification time. On failure `to` is removed.
std::optional<std::string> CopyFileData(const fs::path& from, const fs::path& to) {
    // Not blocking: whatever took the checked file's place (a FIFO) is
    // refused below instead of waited on.
    FdCloser in{::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY)};
    if (in.fd < 0) return ErrnoText(errno);
    struct stat st {};
    if (::fstat(in.fd, &st) != 0) return ErrnoText(errno);
    if (!S_ISREG(st.st_mode)) return "is not a regular file";
    FdCloser out{::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777)};
    if (out.fd < 0) return ErrnoText(errno);
    auto fail = [&](int err) -> std::optional<std::string> {
        ::close(out.fd);
        out.fd = -1;
        ::unlink(to.c_str());
        return ErrnoText(err);
    };
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) break;
        for (ssize_t written = 0; written < n;) {
            const ssize_t w = ::write(out.fd, buffer + written, size_t(n - written));
            if (w < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            written += w;
        }
    }
    if (::fchmod(out.fd, st.st_mode & 07777) != 0 || ::fsync(out.fd) != 0) return fail(errno);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out.fd, times);  // a lost time stamp is no reason to fail the copy
    if (::close(out.fd) != 0) {
        out.fd = -1;
        const int err = errno;
        ::unlink(to.c_str());
        return ErrnoText(err);
    }
    out.fd = -1;
    return std::nullopt;
}

// Copies a link as a link.
std::optional<std::string> CopyLink(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(from, ec);
    if (ec) return ec.message();
    fs::create_symlink(target, to, ec);
    if (ec) return ec.message();
    return std::nullopt;
}

// One copy or move run: holds the "for all" answer and the result.
class Transfer {
public:
    explicit Transfer(ConflictAsker& asker) : asker_(asker) {}

    OpResult result;

    // Copies `from` to the path `to` (its new name). Returns false when the
    // user cancelled. `clean` is cleared when anything of `from` was not
    // copied (failed or skipped), so a move keeps its source.
    bool Copy(const fs::path& from, const fs::path& to, bool& clean) {
        std::error_code ec;
        const fs::file_status src = fs::symlink_status(from, ec);
        if (ec || !fs::exists(src)) {
            Fail(from, ec ? ec.message() : "does not exist", clean);
            return true;
        }
        const fs::file_status dst = fs::symlink_status(to, ec);
        if (fs::is_directory(src)) return CopyFolder(from, to, dst, clean);
        if (!fs::is_regular_file(src) && !fs::is_symlink(src)) {
            Fail(from, "is not a regular file", clean);
            return true;
        }
        if (fs::exists(dst)) {
            if (fs::is_directory(dst)) {
                Fail(to, "a folder of that name exists", clean);
                return true;
            }
            switch (Ask(from, to)) {
            case ConflictChoice::Cancel:
                result.cancelled = true;
                clean = false;
                return false;
            case ConflictChoice::Skip:
                ++result.skipped;
                clean = false;
                return true;
            case ConflictChoice::Replace: break;
            }
            // Written beside the old file and renamed over it: a failure leaves
            // the old file as it was.
            const fs::path temporary = TemporaryBeside(to);
            if (auto why = CopyOne(from, temporary, src)) {
                Fail(from, *why, clean);
                return true;
            }
            if (::rename(temporary.c_str(), to.c_str()) != 0) {
                const int err = errno;
                ::unlink(temporary.c_str());
                Fail(to, ErrnoText(err), clean);
            }
            return true;
        }
        if (auto why = CopyOne(from, to, src)) Fail(from, *why, clean);
        return true;
    }

    ConflictChoice Ask(const fs::path& from, const fs::path& to) {
        if (forAll_) return *forAll_;
        const ConflictAnswer answer = asker_.AskReplace(from, to);
        if (answer.forAll) forAll_ = answer.choice;
        return answer.choice;
    }

    void Fail(const fs::path& path, const std::string& why, bool& clean) {
        result.failed.push_back(Describe(path, why));
        clean = false;
    }

private:
    static std::optional<std::string> CopyOne(const fs::path& from, const fs::path& to,
                                              const fs::file_status& src) {
        return fs::is_symlink(src) ? CopyLink(from, to) : CopyFileData(from, to);
    }

    bool CopyFolder(const fs::path& from, const fs::path& to, const fs::file_status& dst, bool& clean) {
        std::error_code ec;
        if (fs::exists(dst)) {
            if (!fs::is_directory(dst)) {  // a file, or a link (never merged through)
                Fail(to, "exists and is not a folder", clean);
                return true;
            }
        } else {
            struct stat st {};
            const mode_t mode = ::lstat(from.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0755;
            if (::mkdir(to.c_str(), mode | S_IRWXU) != 0) {
                Fail(to, ErrnoText(errno), clean);
                return true;
            }
        }
        fs::directory_iterator it(from, ec), end;
        if (ec) {
            Fail(from, ec.message(), clean);
            return true;
        }
        for (; it != end; it.increment(ec)) {
            if (!Copy(it->path(), to / it->path().filename(), clean)) return false;
        }
        if (ec) Fail(from, ec.message(), clean);
        return true;
    }

    ConflictAsker& asker_;
    std::optional<ConflictChoice> forAll_;
};

bool TargetIsInsideSource(const fs::path& source, const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(source, ec)) && IsSameOrBelow(folder, source);
}

// Moves `from` to `to` on one file system, merging folders and asking
// before a file replaces another. Returns false when the user cancelled.
bool MoveRenaming(Transfer& run, const fs::path& from, const fs::path& to, bool& clean) {
    const int err = RenameNoReplace(from, to);
    if (err == 0) return true;
    std::error_code ec;
    const fs::file_status src = fs::symlink_status(from, ec);
    const fs::file_status dst = fs::symlink_status(to, ec);
    if (err == EEXIST || err == ENOTEMPTY) {
        if (fs::is_directory(src) && fs::is_directory(dst)) {
            bool all = true;
            fs::directory_iterator it(from, ec), end;
            std::vector<fs::path> children;
            for (; !ec && it != end; it.increment(ec)) children.push_back(it->path());
            for (const fs::path& child : children) {
                if (!MoveRenaming(run, child, to / child.filename(), all)) {
                    clean = false;
                    return false;
                }
            }
            if (all) ::rmdir(from.c_str());
            else clean = false;
            return true;
        }
        if (fs::is_directory(src) || fs::is_directory(dst)) {
            run.Fail(to, "exists and is of another kind", clean);
            return true;
        }
        switch (run.Ask(from, to)) {
        case ConflictChoice::Cancel:
            run.result.cancelled = true;
            clean = false;
            return false;
        case ConflictChoice::Skip:
            ++run.result.skipped;
            clean = false;
            return true;
        case ConflictChoice::Replace:
            if (::rename(from.c_str(), to.c_str()) != 0) run.Fail(from, ErrnoText(errno), clean);
            return true;
        }
    }
    run.Fail(from, ErrnoText(err), clean);
    return true;
}

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

// A source that may not go into `folder`: a folder into itself or below,
// or an item onto itself. Reported as failed.
bool Refused(Transfer& run, const fs::path& source, const fs::path& folder, const fs::path& target,
             const std::string& verb) {
    bool clean = true;
    if (TargetIsInsideSource(source, folder)) {
        run.Fail(source, "a folder cannot be " + verb + " into itself", clean);
        return true;
    }
    std::error_code ec;
    if (fs::equivalent(source, target, ec)) {
        run.Fail(source, "source and target are the same", clean);
        return true;
    }
    return false;
}

}  // namespace

OpResult CopyItems(const std::vector<fs::path>& sources, const fs::path& folder, ConflictAsker& asker) {
    Transfer run(asker);
    for (const fs::path& source : sources) {
        bool clean = true;
        const fs::path target = folder / source.filename();
        if (Refused(run, source, folder, target, "copied")) continue;
        if (!run.Copy(source, target, clean)) break;
        if (clean) ++run.result.done;
    }
    return run.result;
}

OpResult MoveItems(const std::vector<fs::path>& sources, const fs::path& folder, ConflictAsker& asker) {
    Transfer run(asker);
    for (const fs::path& source : sources) {
        bool clean = true;
        const fs::path target = folder / source.filename();
        if (Refused(run, source, folder, target, "moved")) continue;
        struct stat a {
        }, b{};
        const bool sameFileSystem =
            ::lstat(source.c_str(), &a) == 0 && ::stat(folder.c_str(), &b) == 0 && a.st_dev == b.st_dev;
        bool go = true;
        if (sameFileSystem) {
            go = MoveRenaming(run, source, target, clean);
        } else {
            go = run.Copy(source, target, clean);
            // The source goes only when every part of it arrived.
            if (clean) {
                std::error_code ec;
                fs::remove_all(source, ec);
                if (ec) run.Fail(source, "copied, but not removed: " + ec.message(), clean);
            }
        }
        if (!go) break;
        if (clean) ++run.result.done;
    }
    return run.result;
}

TrashResult TrashItems(const std::vector<fs::path>& paths) {
    TrashResult result;
    for (const fs::path& path : paths) {
        std::unique_ptr<GFile, GObjectUnref> file(g_file_new_for_path(path.c_str()));
        GError* raw = nullptr;
        if (g_file_trash(file.get(), nullptr, &raw)) {
            ++result.trashed;
            continue;
        }
        std::unique_ptr<GError, GErrorFree> error(raw);
        if (error && g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED))
            result.notSupported.push_back(path);
        else result.failed.push_back(Describe(path, error ? error->message : "unknown error"));
    }
    return result;
}

std::vector<std::string> DeleteForGood(const std::vector<fs::path>& paths) {
    std::vector<std::string> failed;
    for (const fs::path& path : paths) {
        std::error_code ec;
        fs::remove_all(path, ec);
        if (ec) failed.push_back(Describe(path, ec.message()));
    }
    return failed;
}

int RenameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // The file system has no RENAME_NOREPLACE. For a file, a hard link fails
    // atomically when the target exists; a folder gets a checked rename.
    struct stat st {};
    if (::lstat(from.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode) && ::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (!S_ISDIR(st.st_mode) && errno == EEXIST) return EEXIST;
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) return EEXIST;
    if (::rename(from.c_str(), to.c_str()) != 0) return errno;
    errno = 0;
    return 0;
}

bool MakeFolder(const fs::path& path) { return ::mkdir(path.c_str(), 0777) == 0; }

}  // namespace velk::fileops
