#include "DiskCallLog.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

namespace {

DiskCallLog* g_log = nullptr;  // the test's thread only

std::filesystem::path PathOf(int fd) {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
}

template <typename Function>
Function* Next(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

void RecordDiskCall(DiskCall call) {
    if (g_log != nullptr) g_log->calls_.push_back(std::move(call));
}

DiskCallLog::DiskCallLog() { g_log = this; }
DiskCallLog::~DiskCallLog() { g_log = nullptr; }

int DiskCallLog::IndexOf(DiskCall::Kind kind, const std::filesystem::path& path) const {
    for (std::size_t i = 0; i < calls_.size(); ++i)
        if (calls_[i].kind == kind && calls_[i].path == path) return static_cast<int>(i);
    return -1;
}

extern "C" int fsync(int fd) {
    static auto* const next = Next<int(int)>("fsync");
    RecordDiskCall({DiskCall::Kind::kSync, PathOf(fd), {}});
    return next(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static auto* const next = Next<int(const char*, const char*)>("rename");
    RecordDiskCall({DiskCall::Kind::kRename, to, from});
    return next(from, to);
}
