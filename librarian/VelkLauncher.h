#pragma once
// Opens a document or a folder with the desktop's default application.

#include <string>

class VelkLauncher {
public:
    virtual ~VelkLauncher() = default;
    // True when the application was started (not that it opened the path).
    virtual bool Open(const std::string& path) = 0;
};
