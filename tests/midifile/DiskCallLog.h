#pragma once
// The calls that decide what is on the disk after a power cut, as the
// program makes them: fsync (with the path of what was synced) and rename.
// The test binary's own fsync and rename stand in front of the C library's
// (DiskCallLog.cpp): each records the call while a log lives, then passes
// it on unchanged.

#include <filesystem>
#include <string>
#include <vector>

struct DiskCall {
    enum class Kind { kSync, kRename } kind;
    std::filesystem::path path;  // what was synced, or the name renamed to
    std::filesystem::path from;  // the name renamed from
};

class DiskCallLog {
public:
    DiskCallLog();
    ~DiskCallLog();
    DiskCallLog(const DiskCallLog&) = delete;
    DiskCallLog& operator=(const DiskCallLog&) = delete;

    const std::vector<DiskCall>& Calls() const { return calls_; }

    // Where in the log the first call of this kind on this path stands, or -1.
    int IndexOf(DiskCall::Kind kind, const std::filesystem::path& path) const;

private:
    friend void RecordDiskCall(DiskCall call);
    std::vector<DiskCall> calls_;
};
