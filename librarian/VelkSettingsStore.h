#pragma once
// Named string and integer values in groups: the user's settings profile.
// A value that is absent (or an integer that does not read as one) gives
// the fallback. Every write reaches the profile at once.

#include <string>

class VelkSettingsStore {
public:
    virtual ~VelkSettingsStore() = default;

    virtual std::string ReadString(const std::string& group, const std::string& name,
                                   const std::string& fallback) const = 0;
    virtual int ReadInt(const std::string& group, const std::string& name, int fallback) const = 0;
    virtual void WriteString(const std::string& group, const std::string& name, const std::string& value) = 0;
    virtual void WriteInt(const std::string& group, const std::string& name, int value) = 0;
};
