#include "device/MDevDumpFileReader.h"

#include <utility>

MDevDumpFileReader::MDevDumpFileReader(SysExHandler handler) : handler_(std::move(handler)) {
    SetClockEvents(false);
    SetSizeLimit(kMaxFileSize);
}

int MDevDumpFileReader::OnEvent(const MidSmfEvent& event) {
    if (event.status == MidSmfEvent::kStatusSysEx && handler_) handler_(event.Data());
    return 0;
}
