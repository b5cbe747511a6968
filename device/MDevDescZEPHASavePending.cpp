// Saving waits for the file writer; until then every save reports that the
// file cannot be created.
#include "device/MDevDescZEPHA.h"

int MDevDescZEPHA::SaveDump(const Path&, std::span<const uint8_t>) { return -1; }
int MDevDescZEPHA::SaveProgramFile(int, const Path&) { return -1; }
int MDevDescZEPHA::SaveGlobalFile(int, const Path&) { return -1; }
int MDevDescZEPHA::SaveAllFile(const Path&) { return -1; }
