#pragma once
// The device description of the Brontisel and the Brontisel S: the device's
// programs, its global settings, an edit buffer and a working copy of the
// global, the identified model and channel, and the transfer state that
// pairs each dump sent with the synth's replies. All of it runs on the
// user-interface thread (received messages come through the configuration's
// inbox); dumps read from files go through the same receive handler.
//
// The programs and the device global are the device's data: they change
// only with what the synth sent (a dump) or confirmed (a write). A file
// read goes into the edit buffer, the working global or a held image that
// becomes the device's data once the synth confirmed its write; a
// reception becomes the device's data once everything it asked for came.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/MDevDesc.h"
#include "device/MDevDescZEPHAGlobal.h"
#include "device/MDevDescZEPHAProgram.h"
#include "device/MDevModelInfo.h"
#include "device/MDevProgramOwner.h"

class MDevDumpFileReader;

class MDevDescZEPHA final : public MDevDesc, public MDevProgramOwner {
public:
    // Program objects held; the model's program count of them are used.
    static constexpr int kProgramSlots = 256;

    explicit MDevDescZEPHA(MDevConfig& owner);
    ~MDevDescZEPHA() override;

    // Clears the load-program flag, runs Init on both globals, every program
    // and the edit buffer, then the base Initialize; 0.
    int Initialize() override;

    void SendIdentityRequest() override;
    int OnIdentityReply(uint8_t status, std::span<const uint8_t> data) override;
    std::vector<uint8_t> SysExHeader() const override;
    // Asks for the programs (and, on the Brontisel S, the global); the
    // device counts as received once both came within this reception.
    int RequestAllData() override;

    int LoadAllFileAndSend(const Path& path) override;
    int SaveAllFile(const Path& path) override;
    int SendAllData() override;

    int GetGlobalCount() const override { return 1; }
    MDevDescProgram* GetGlobal(int index) override;
    // The working global holding the file's global, or null when the file
    // could not be read or its global dump was not applied.
    MDevDescProgram* LoadGlobalFileToEdit(const Path& path) override;
    MDevDescProgram* GetGlobalCopy(int index) override;
    int ParseGlobalNumber(std::string_view) const override { return 0; }
    std::string FormatGlobalNumber(int) const override { return "-"; }
    std::string GetGlobalName(int index) const override;
    void SetGlobalName(int index, const std::string& name) override;
    int LoadGlobalFileAndSend(int index, const Path& path) override;
    int SaveGlobalFile(int index, const Path& path) override;
    // Sends the working global; once the synth confirms it, the global sent
    // is the device's global (also for a file's global, index -1).
    int SendGlobal(int index) override;

    int GetProgramCount() const override { return model_.programCount; }
    MDevDescProgram* GetProgram(int index) override;
    MDevDescProgram* LoadProgramFileToEdit(const Path& path) override;
    MDevDescProgram* GetProgramCopy(int index) override;
    int ParseProgramNumber(std::string_view text) const override;
    std::optional<std::string> FormatProgramNumber(int index) const override;
    std::optional<std::string> GetProgramName(int index) const override;
    int SelectProgram(int index) override;
    int LoadProgramFileAndSend(int index, const Path& path) override;
    int SaveProgramFile(int index, const Path& path) override;
    // Sends the edit buffer for slot `index` (< 0: as the current program
    // only); 18 for an index at or above the program count.
    int SendProgram(int index) override;

    std::string GetColumnTitle(int column) const override;
    std::optional<std::string> GetColumnText(int index, int column) const override;

    void OnSysEx(std::span<const uint8_t> data) override;
    void OnNrpnData(int value) override;

    // MDevProgramOwner
    void MarkModified(MDevDescProgram& changed) override;
    // Sends the edit buffer as a current program dump; changes no transfer state.
    void SendEditBuffer() override;
    void SetWriteProtect(int32_t value) override;
    int32_t GetWriteProtect() const override { return MDevDesc::GetWriteProtect(); }

    std::optional<std::string> FormatProgramNumberShort(int index) const;
    bool IsModelS() const { return model_.IsModelS(); }
    const MDevModelInfo& GetModelInfo() const { return model_; }
    uint8_t GetChannelByte() const { return channel_; }

    static std::size_t Pack8to7(std::span<uint8_t> dest, std::span<const uint8_t> source);
    static std::size_t Unpack7to8(std::span<const uint8_t> packed, std::size_t offset,
                                  std::span<uint8_t> dest);

    // Direct access for the editors and tests.
    MDevDescZEPHAProgram& GetEditBuffer() { return editBuffer_; }
    MDevDescZEPHAProgram* GetZEPHAProgram(int index);
    MDevDescZEPHAGlobal& GetDeviceGlobal() { return deviceGlobal_; }
    MDevDescZEPHAGlobal& GetWorkingGlobal() { return workingGlobal_; }

private:
    // A whole device's data as a dump carries it: program records from
    // program 0 up and, in the Brontisel's form, the global record.
    struct AllDataImage {
        std::vector<uint8_t> programs;
        std::optional<MDevGlobalData> global;
        MDevGlobalSource source = MDevGlobalSource::Device;
        int Count() const { return static_cast<int>(programs.size() / MDevProgramLayout::kRecordSize); }
    };

    bool InRange(int index) const { return index >= 0 && index < model_.programCount; }
    // Routes what arrived so far, so that none of it is taken for the reply
    // of the transfer about to be armed.
    void RouteArrived();
    // Sends `image` as a whole-device dump in the form the model takes;
    // with `adopt`, what the synth then holds becomes the device's data once
    // it confirms.
    int SendImage(const AllDataImage& image, bool adopt);
    void Adopt(const AllDataImage& image);
    // Programs and global from the synth are both there: the device counts
    // as received.
    void UpdateReceived();
    void CompleteReceive();
    void SendMessage(std::span<const uint8_t> wire);
    // The transfer's dump was just sent: its answer counts once it is out.
    void MarkDumpSent();
    // Reads a dump file into the receive handler, which applies only a dump
    // with the function byte `function` (any other message in the file is
    // skipped untouched); 0 only when such a dump was applied.
    int ReadDumpFile(const Path& path, uint8_t function);
    int SaveDump(const Path& path, std::span<const uint8_t> wire);
    std::vector<uint8_t> ProgramRecords(int first, int count) const;

    void OnDataLoadCompleted();
    void OnWriteCompleted();
    void OnAllDataDump(int idLength, std::size_t allDataSize, std::span<const uint8_t> payload);
    void OnGlobalDump(std::span<const uint8_t> payload);
    void OnCurrentProgramDump(std::span<const uint8_t> payload);

    uint8_t channel_ = 0;
    MDevModelInfo model_;
    MDevDescZEPHAGlobal deviceGlobal_;
    MDevDescZEPHAGlobal workingGlobal_;
    std::vector<MDevDescZEPHAProgram> programs_;
    MDevDescZEPHAProgram editBuffer_;
    bool loadProgram_ = false;
    bool readingFile_ = false;
    uint8_t fileFunction_ = 0;  // the one dump kind a file read may apply
    bool fileApplied_ = false;  // that dump was applied during the file read
    std::unique_ptr<MDevDumpFileReader> reader_;

    // The device's programs and global as the synth sent or confirmed them.
    bool programsFromDevice_ = false;
    bool globalFromDevice_ = false;
    // What the transfers sent, adopted once the synth confirms it.
    MDevDescZEPHAProgram sentProgram_;
    MDevDescZEPHAGlobal sentGlobal_;
    std::optional<AllDataImage> sentImage_;
    // A setup file's dump, read for sending.
    std::optional<AllDataImage> fileImage_;
    // What a reception got so far.
    std::optional<AllDataImage> receivedAll_;
    std::optional<MDevGlobalData> receivedGlobal_;
};
