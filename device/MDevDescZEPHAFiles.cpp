// The dump file slots of MDevDescZEPHA: ".prg" (one program), ".glb" (the
// global settings) and ".set" (a whole device), each a Standard MIDI File
// holding one system-exclusive dump. Loading plays the file into the receive
// handler, so a dump read from disk is accepted by the rules of a live one.

#include "device/MDevDescZEPHA.h"

#include "device/MDevDumpFileReader.h"
#include "device/MDevZEPHAMessages.h"
#include "midifile/MErrorCode.h"

namespace {
using Messages = MDevZEPHAMessages;
}  // namespace

int MDevDescZEPHA::ReadDumpFile(const Path& path, uint8_t function) {
    if (!reader_) {
        reader_ =
            std::make_unique<MDevDumpFileReader>([this](std::span<const uint8_t> data) { OnSysEx(data); });
    }
    MDevDumpFileReader& reader = *reader_;
    int rc = reader.Initialize();
    if (rc == 0) rc = reader.Open(path);
    if (rc == 0) rc = reader.Parse();
    if (rc == 0) {
        fileApplied_ = false;
        fileFunction_ = function;
        readingFile_ = true;
        loadProgram_ = function == Messages::kCurrentProgramDump;
        const int played = reader.Play(0);
        loadProgram_ = false;
        readingFile_ = false;
        if (played != MidSmfReader::kPlayEnded) {
            rc = MErrFileRead;
        } else if (!fileApplied_) {
            rc = kDumpNotApplied;
        }
    }
    reader.Close();
    return rc;
}

int MDevDescZEPHA::LoadAllFileAndSend(const Path& path) {
    fileImage_.reset();
    const int rc = ReadDumpFile(path, Messages::kAllDataDump);
    if (rc != 0 || !fileImage_) return rc != 0 ? rc : kDumpNotApplied;
    const AllDataImage image = std::move(*fileImage_);
    fileImage_.reset();
    return SendImage(image, true);
}

MDevDescProgram* MDevDescZEPHA::LoadGlobalFileToEdit(const Path& path) {
    if (ReadDumpFile(path, Messages::kGlobalDump) != 0) return nullptr;
    return &workingGlobal_;
}

int MDevDescZEPHA::LoadGlobalFileAndSend(int index, const Path& path) {
    if (index != 0) return kBadIndex;
    const int rc = ReadDumpFile(path, Messages::kGlobalDump);
    if (rc != 0) return rc;
    return SendGlobal(index);
}

MDevDescProgram* MDevDescZEPHA::LoadProgramFileToEdit(const Path& path) {
    if (ReadDumpFile(path, Messages::kCurrentProgramDump) != 0) return nullptr;
    SendEditBuffer();
    return &editBuffer_;
}

int MDevDescZEPHA::LoadProgramFileAndSend(int index, const Path& path) {
    if (index >= model_.programCount) return -1;
    const int rc = ReadDumpFile(path, Messages::kCurrentProgramDump);
    if (rc != 0) return rc;
    return SendProgram(index);
}
