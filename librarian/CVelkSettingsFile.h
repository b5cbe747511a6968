#pragma once
// The settings profile as a text file of groups and entries, in the layout
// (and with the escapes) that earlier versions wrote through wx:
//   [Main]
//   LibraryPath=/home/u/Documents/VELK
// The file is read once, when the store is made; every write replaces the
// whole file at once (MFile::Save: a complete temporary renamed over it).
// A settings file that is a link is written through it: the file it leads
// to is replaced, and the link stays.
//
// A file edited by hand never stops the program: a line that is not
// understood is ignored (reported on standard error) and kept as it is
// when the file is written again, and values are used exactly as written
// (nothing in them is expanded). Write failures are reported once on
// standard error and leave no file behind; the values still hold for the
// run. A file that exists but cannot be read is never replaced.

#include <cstdint>
#include <string>
#include <vector>

#include "librarian/VelkSettingsStore.h"

class CVelkSettingsFile : public VelkSettingsStore {
public:
    // A larger file is not read (its values are not ours).
    static constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 20;

    explicit CVelkSettingsFile(std::string filePath);
    ~CVelkSettingsFile() override;

    std::string ReadString(const std::string& group, const std::string& name,
                           const std::string& fallback) const override;
    int ReadInt(const std::string& group, const std::string& name, int fallback) const override;
    void WriteString(const std::string& group, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& group, const std::string& name, int value) override;

private:
    // One line of the file: a group header, an entry, or anything else
    // (blank, comment, not understood), which is written back unchanged.
    struct Line {
        enum class Kind { kGroup, kEntry, kOther } kind = Kind::kOther;
        std::string group;  // the group it opens or lies in
        std::string name;
        std::string value;
        std::string text;  // as read; an entry's is rebuilt when its value is set
    };

    void Load();
    void Parse(const std::string& contents);
    const Line* Find(const std::string& group, const std::string& name) const;
    void Set(const std::string& group, const std::string& name, const std::string& value);
    std::string Contents() const;
    void Save();
    void Report(const std::string& what);

    std::string filePath_;
    std::vector<Line> lines_;
    bool writable_ = true;  // false when an existing file could not be read
    bool failureReported_ = false;
};
