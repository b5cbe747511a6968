#include "librarian/CVelkSettingsFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include "midifile/MErrorCode.h"
#include "midifile/MFile.h"
#include "midifile/MFileMem.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(const std::string& text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
    return text;
}

// A name as written: characters other than letters, digits and a few
// marks are escaped with a backslash.
std::string EscapeName(const std::string& name) {
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= 127 || (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= 'a' && byte <= 'z') || std::strchr("@_/-!.*%()", c) != nullptr;
        if (!plain) out += '\\';
        out += c;
    }
    return out;
}

// Reads a name up to the first unescaped `end` (or the line's end); a
// backslash takes the next character as it is. `at` is left on `end`.
std::string ReadName(const std::string& text, std::size_t& at, char end) {
    std::string name;
    while (at < text.size() && text[at] != end) {
        if (text[at] == '\\' && at + 1 < text.size()) ++at;
        name += text[at++];
    }
    return name;
}

// A value as written: line breaks, tabs and backslashes escaped.
std::string EscapeValue(const std::string& value) {
    if (value.empty()) return value;
    // Quotes keep leading blanks, and a leading quote, from being read away.
    const bool quote = IsBlank(value.front()) || value.front() == '"';
    std::string out;
    if (quote) out += '"';
    for (const char c : value) {
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += quote ? "\\\"" : "\""; break;
        default: out += c;
        }
    }
    if (quote) out += '"';
    return out;
}

// A value as read back (an unknown escape is kept as written).
std::string UnescapeValue(const std::string& text) {
    std::string out;
    const bool quoted = !text.empty() && text.front() == '"';
    for (std::size_t i = quoted ? 1 : 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 == text.size()) break;  // the closing quote
        if (c != '\\' || i + 1 == text.size()) {
            out += c;  // a backslash at the end stays as it is
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        default: out += c; out += next;  // not an escape: kept as written
        }
    }
    return out;
}

// The file's bytes written as they are.
class TextFile final : public MFile {
public:
    explicit TextFile(const std::string& text) : text_(text) {}
    int WriteContents(MFileSink& sink, int) override { return Write(sink, text_.data(), text_.size()); }

private:
    const std::string& text_;
};

// The file that `path` leads to through a link, or a chain of them: users
// keep the settings file as a link into a folder of their own, and the
// change belongs in the file the link points at. A link that leads nowhere
// yet gives the name it points at, so the file is made there (its folder
// is not made). `path` itself when it is no link; empty on a loop of links
// or a link that cannot be read.
std::filesystem::path LinkedFile(std::filesystem::path path) {
    constexpr int kMaxLinks = 40;  // as many as the system follows in a path
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error || target.empty()) return {};
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return {};
}

}  // namespace

CVelkSettingsFile::CVelkSettingsFile(std::string filePath) : filePath_(std::move(filePath)) { Load(); }

CVelkSettingsFile::~CVelkSettingsFile() = default;

void CVelkSettingsFile::Report(const std::string& what) {
    std::fprintf(stderr, "velk-editor: settings file %s: %s\n", filePath_.c_str(), what.c_str());
}

void CVelkSettingsFile::Load() {
    struct stat info {};
    if (::stat(filePath_.c_str(), &info) != 0) {
        // No file yet (a first start) is no failure; anything else is.
        if (errno == ENOENT || errno == ENOTDIR) return;
        Report(std::string(std::strerror(errno)) + "; the settings are not read, and changes are not saved");
        writable_ = false;
        return;
    }
    MFileMem file;
    file.SetSizeLimit(kMaxFileSize);
    const int result = file.Open(filePath_);
    if (result != MErrOk) {
        const char* why = S_ISDIR(info.st_mode)        ? "is a folder"
                          : !S_ISREG(info.st_mode)     ? "is not a regular file"
                          : result == MErrFileTooLarge ? "is larger than 1 MiB"
                                                       : "cannot be read";
        Report(std::string(why) + "; the settings are not read, and changes are not saved");
        writable_ = false;
        return;
    }
    const auto bytes = file.GetData();
    Parse(std::string(bytes.begin(), bytes.end()));
}

void CVelkSettingsFile::Parse(const std::string& contents) {
    std::string group;
    std::size_t start = 0;
    int number = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos) end = contents.size();
        std::string raw = contents.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();

        Line line;
        line.text = raw;
        line.group = group;
        const char* error = nullptr;
        std::size_t at = SkipBlanks(raw, 0);
        if (at == raw.size() || raw[at] == ';' || raw[at] == '#') {
            // blank or a comment
        } else if (raw[at] == '[') {
            ++at;
            std::string name = ReadName(raw, at, ']');
            if (at == raw.size()) error = "no ']' after the group name";
            else if (name.empty()) error = "no group name";
            else {
                line.kind = Line::Kind::kGroup;
                line.group = group = name;
            }
        } else {
            std::string name = TrimRight(ReadName(raw, at, '='));
            if (at == raw.size()) error = "'=' expected";
            else if (name.empty()) error = "no name before '='";
            else {
                line.kind = Line::Kind::kEntry;
                line.name = std::move(name);
                line.value = UnescapeValue(raw.substr(SkipBlanks(raw, at + 1)));
            }
        }
        if (error != nullptr) Report("line " + std::to_string(number) + " ignored (" + error + "): " + raw);
        lines_.push_back(std::move(line));
    }
}

const CVelkSettingsFile::Line* CVelkSettingsFile::Find(const std::string& group,
                                                       const std::string& name) const {
    // A name given twice: the later line counts.
    const auto found = std::find_if(lines_.rbegin(), lines_.rend(), [&](const Line& line) {
        return line.kind == Line::Kind::kEntry && line.group == group && line.name == name;
    });
    return found == lines_.rend() ? nullptr : &*found;
}

std::string CVelkSettingsFile::ReadString(const std::string& group, const std::string& name,
                                          const std::string& fallback) const {
    const Line* line = Find(group, name);
    return line ? line->value : fallback;
}

int CVelkSettingsFile::ReadInt(const std::string& group, const std::string& name, int fallback) const {
    const Line* line = Find(group, name);
    if (line == nullptr) return fallback;
    const std::string text = TrimRight(line->value);
    if (text.empty()) return fallback;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT_MIN || value > INT_MAX) return fallback;
    return static_cast<int>(value);
}

void CVelkSettingsFile::Set(const std::string& group, const std::string& name, const std::string& value) {
    const std::string text = EscapeName(name) + "=" + EscapeValue(value);
    if (const Line* found = Find(group, name)) {
        Line& line = lines_[static_cast<std::size_t>(found - lines_.data())];
        line.value = value;
        line.text = text;
        return;
    }
    Line entry;
    entry.kind = Line::Kind::kEntry;
    entry.group = group;
    entry.name = name;
    entry.value = value;
    entry.text = text;
    // After the group's last header or entry; a new group goes at the end.
    const auto last = std::find_if(lines_.rbegin(), lines_.rend(), [&](const Line& line) {
        return line.kind != Line::Kind::kOther && line.group == group;
    });
    if (last != lines_.rend()) {
        lines_.insert(last.base(), std::move(entry));
    } else if (group.empty()) {
        lines_.insert(lines_.begin(), std::move(entry));
    } else {
        Line header;
        header.kind = Line::Kind::kGroup;
        header.group = group;
        header.text = "[" + EscapeName(group) + "]";
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(entry));
    }
}

std::string CVelkSettingsFile::Contents() const {
    std::string text;
    for (const Line& line : lines_) text += line.text + '\n';
    return text;
}

void CVelkSettingsFile::WriteString(const std::string& group, const std::string& name,
                                    const std::string& value) {
    Set(group, name, value);
    Save();
}

void CVelkSettingsFile::WriteInt(const std::string& group, const std::string& name, int value) {
    Set(group, name, std::to_string(value));
    Save();
}

void CVelkSettingsFile::Save() {
    // An existing file that could not be read holds settings this run does
    // not know: it is left as it is (reported when it was read).
    if (!writable_) return;
    // The folder may not exist on a first start.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(filePath_).parent_path(), ignored);
    const std::string contents = Contents();
    const std::filesystem::path file = LinkedFile(filePath_);
    if (!file.empty() && TextFile(contents).Save(file) == MErrOk) {
        failureReported_ = false;
        return;
    }
    // Reported once, not at every click that changes a setting.
    if (!failureReported_) Report("cannot be written; changes last for this run only");
    failureReported_ = true;
}
