#pragma once
// The abstract description of one synthesizer: what the librarian and the
// editors call on a device (identify, request and receive dumps, send
// programs and the global settings, program numbers and names, list column
// texts, edit buffer and working global, dump files). Every received message
// enters through Dispatch; all of it runs on the user-interface thread.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/MDevParamNumberDecoder.h"
#include "device/MDevTransferState.h"
#include "midifile/CMsgSender.h"

class MDevConfig;
class MDevDescProgram;

class MDevDesc : public CMsgSender {
public:
    using Path = std::filesystem::path;

    // Result codes of the device operations, beside the file codes.
    static constexpr int kOk = 0;
    static constexpr int kBadIndex = 18;
    // A dump file was read but the dump it holds was not applied (another
    // channel or model, a wrong length, or another kind of dump).
    static constexpr int kDumpNotApplied = 47;

    explicit MDevDesc(MDevConfig& owner);
    ~MDevDesc() override;
    MDevDesc(const MDevDesc&) = delete;
    MDevDesc& operator=(const MDevDesc&) = delete;

    // Clears the dump-received flag; 0.
    virtual int Initialize();

    virtual void SendIdentityRequest();
    // 1 when the message is a recognised identity reply (and was taken), else 0.
    virtual int OnIdentityReply(uint8_t status, std::span<const uint8_t> data);
    // What the synth's own system-exclusive messages begin with (F0
    // included): only a dump of it coming in stretches a wait. Empty: any.
    virtual std::vector<uint8_t> SysExHeader() const { return {}; }
    virtual int RequestAllData();

    virtual int LoadAllFileAndSend(const Path& path);
    virtual int SaveAllFile(const Path& path);
    virtual int SendAllData();

    virtual int GetGlobalCount() const;
    virtual MDevDescProgram* GetGlobal(int index);
    virtual MDevDescProgram* LoadGlobalFileToEdit(const Path& path);
    virtual MDevDescProgram* GetGlobalCopy(int index);
    virtual int ParseGlobalNumber(std::string_view text) const;
    virtual std::string FormatGlobalNumber(int index) const;
    virtual std::string GetGlobalName(int index) const;
    virtual void SetGlobalName(int index, const std::string& name);
    virtual int LoadGlobalFileAndSend(int index, const Path& path);
    virtual int SaveGlobalFile(int index, const Path& path);
    virtual int SendGlobal(int index);

    virtual int GetProgramCount() const;
    virtual MDevDescProgram* GetProgram(int index);
    virtual MDevDescProgram* LoadProgramFileToEdit(const Path& path);
    virtual MDevDescProgram* GetProgramCopy(int index);
    virtual int ParseProgramNumber(std::string_view text) const;
    // Texts that are not written for an index out of range answer nothing.
    virtual std::optional<std::string> FormatProgramNumber(int index) const;
    virtual std::optional<std::string> GetProgramName(int index) const;
    virtual int SelectProgram(int index);
    virtual int LoadProgramFileAndSend(int index, const Path& path);
    virtual int SaveProgramFile(int index, const Path& path);
    virtual int SendProgram(int index);

    virtual std::string GetColumnTitle(int column) const;
    virtual std::optional<std::string> GetColumnText(int index, int column) const;

    // Channel message handlers; `data` holds the data bytes the status needs.
    virtual void OnNoteOff(std::span<const uint8_t> data);
    virtual void OnNoteOn(std::span<const uint8_t> data);
    virtual void OnPolyPressure(std::span<const uint8_t> data);
    // The RPN/NRPN decoder.
    virtual void OnControlChange(std::span<const uint8_t> data);
    virtual void OnProgramChange(std::span<const uint8_t> data);
    virtual void OnChannelPressure(std::span<const uint8_t> data);
    virtual void OnPitchBend(std::span<const uint8_t> data);
    // The receive handler: the bytes after F0, the closing F7 included.
    virtual void OnSysEx(std::span<const uint8_t> data);
    virtual void OnRpnData(int value);
    virtual void OnRpnDataLsb(int value);
    virtual void OnNrpnData(int value);
    virtual void OnNrpnDataLsb(int value);

    // Routes one received message by its status: F0 to OnSysEx, 80-EF by
    // kind to the channel handlers (on any channel); anything else, and a
    // channel message with fewer data bytes than its status needs, is dropped.
    void Dispatch(uint8_t status, std::span<const uint8_t> data);

    void SetChanged() { transfer_.SetChanged(); }
    // The changed flag (a write or commit to the device was confirmed);
    // cleared when it was set.
    int TakeChanged() { return transfer_.TakeChanged() ? 1 : 0; }
    // Forgets every awaited reply; every waiting loop calls it when it times
    // out. A reply the synth may still send for it is then dropped.
    void CancelTransfer();
    // The ports were opened anew: a reply owed on the old ones never comes.
    void ForgetLateReplies() { transfer_.ForgetLateReply(); }
    void ResetParamNumbers() { params_.Reset(); }

    int IsDumpReceived() const { return dumpReceived_ ? 1 : 0; }
    // The device's write-protect setting as last reported.
    virtual int32_t GetWriteProtect() const { return writeProtect_; }
    const MDevParamNumberDecoder& GetParamNumbers() const { return params_; }
    const MDevTransferState& GetTransferState() const { return transfer_; }

    // The configuration the device belongs to: its ports and their input
    // (what a waiting loop routes and watches).
    MDevConfig& Owner() { return owner_; }
    const MDevConfig& Owner() const { return owner_; }

protected:
    MDevTransferState& Transfer() { return transfer_; }
    void SetDumpReceived(bool received) { dumpReceived_ = received; }
    void SetWriteProtectWord(int value) { writeProtect_ = value; }

private:
    MDevConfig& owner_;
    bool dumpReceived_ = false;
    int writeProtect_ = 0;
    MDevTransferState transfer_;
    MDevParamNumberDecoder params_;
};
