#pragma once
// Opens a document or folder with the desktop's default application.

#include "librarian/VelkLauncher.h"

class CWxLauncher final : public VelkLauncher {
public:
    bool Open(const std::string& path) override;
};
