#pragma once
// Stand-ins for what the librarian reads and opens: an in-memory settings
// store and a launcher that records. (The scripted user-interface services
// are in tests/support.)

#include <charconv>
#include <map>
#include <string>
#include <vector>

#include "librarian/VelkLauncher.h"
#include "librarian/VelkSettingsStore.h"

namespace velktest {

// Values as text, as a profile file holds them.
class MemorySettingsStore : public VelkSettingsStore {
public:
    std::map<std::string, std::string> values;  // "group/name" -> text
    int writes = 0;

    std::string ReadString(const std::string& group, const std::string& name,
                           const std::string& fallback) const override {
        const auto it = values.find(Key(group, name));
        return it == values.end() ? fallback : it->second;
    }
    int ReadInt(const std::string& group, const std::string& name,
                int fallback) const override {
        const auto it = values.find(Key(group, name));
        if (it == values.end()) return fallback;
        int value = 0;
        const char* first = it->second.data();
        const char* last = first + it->second.size();
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last ? value : fallback;
    }
    void WriteString(const std::string& group, const std::string& name,
                     const std::string& value) override {
        values[Key(group, name)] = value;
        ++writes;
    }
    void WriteInt(const std::string& group, const std::string& name, int value) override {
        WriteString(group, name, std::to_string(value));
    }

    static std::string Key(const std::string& group, const std::string& name) {
        return group + "/" + name;
    }
};

class FakeLauncher : public VelkLauncher {
public:
    std::vector<std::string> opened;
    bool result = true;
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return result;
    }
};

}  // namespace velktest
