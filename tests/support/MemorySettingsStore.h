#pragma once
// The settings store in memory, for the librarian's preference and what
// stands on it.

#include <charconv>
#include <map>
#include <string>

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
    int ReadInt(const std::string& group, const std::string& name, int fallback) const override {
        const auto it = values.find(Key(group, name));
        if (it == values.end()) return fallback;
        int value = 0;
        const char* first = it->second.data();
        const char* last = first + it->second.size();
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last ? value : fallback;
    }
    void WriteString(const std::string& group, const std::string& name, const std::string& value) override {
        values[Key(group, name)] = value;
        ++writes;
    }
    void WriteInt(const std::string& group, const std::string& name, int value) override {
        WriteString(group, name, std::to_string(value));
    }

    static std::string Key(const std::string& group, const std::string& name) { return group + "/" + name; }
};

}  // namespace velktest
