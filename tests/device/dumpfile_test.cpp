// Dump files ".prg", ".glb" and ".set": saved and loaded round trips per kind
// and model, the exact bytes written, and loads that must fail without
// changing or sending anything.

#include <gtest/gtest.h>

#include "DevDumpFiles.h"
#include "DevRig.h"
#include "DevWire.h"
#include "device/MDevDumpFileReader.h"
#include "device/MDevZEPHAMessages.h"
#include "midifile/MErrorCode.h"
#include "tests/midifile/OddFiles.h"
#include "tests/support/TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Messages = MDevZEPHAMessages;
constexpr SimModel B = SimModel::Brontisel;
constexpr SimModel S = SimModel::BrontiselS;

Bytes AfterF0(const Bytes& wire) { return Bytes(wire.begin() + 1, wire.end()); }

// A connected device with every program and the global received.
struct Loaded {
    explicit Loaded(SimModel model) : rig(model) {
        EXPECT_TRUE(rig.Connect());
        EXPECT_TRUE(rig.ReceiveAll());
        rig.Settle();
    }
    MDevDescZEPHA& Dev() { return rig.Dev(); }
    std::size_t Sent() { return rig.Synth().Received().size(); }
    DevRig rig;
    velktest::TempDir dir;
};

TEST(MDevDumpFile, SavedFilesHoldTheDumpAsTheirOneEvent) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        Loaded t(model);
        MDevDescZEPHA& dev = t.Dev();
        dev.GetZEPHAProgram(5)->SetName("Five");
        const auto& info = dev.GetModelInfo();

        ASSERT_EQ(dev.SaveProgramFile(5, t.dir / "p.prg"), 0);
        const Bytes prg = AfterF0(Messages::CurrentProgramDump(0, info, dev.GetZEPHAProgram(5)->ToBytes()));
        EXPECT_EQ(prg.size(), static_cast<std::size_t>(info.modelIdLength) + 295);
        EXPECT_EQ(velktest::ReadAll(t.dir / "p.prg"), DevDumpFileBytes(prg));

        ASSERT_EQ(dev.SaveGlobalFile(0, t.dir / "g.glb"), 0);
        const Bytes glb = AfterF0(Messages::GlobalDump(0, info, dev.GetDeviceGlobal().ToBytes()));
        EXPECT_EQ(glb.size(), static_cast<std::size_t>(info.modelIdLength) + 233);
        EXPECT_EQ(velktest::ReadAll(t.dir / "g.glb"), DevDumpFileBytes(glb));

        ASSERT_EQ(dev.SaveAllFile(t.dir / "s.set"), 0);
        const Bytes set = velktest::ReadAll(t.dir / "s.set");
        const std::size_t eventSize = model == B ? 37391 : 74321;
        ASSERT_EQ(set.size(), 14 + 8 + 2 + 3 + eventSize + 4);
        EXPECT_EQ(set[14 + 8 + 1], 0xF0);
        EXPECT_EQ(set[14 + 8 + 2 + 3 + (model == B ? 3 : 5)], 0x50) << "function byte";
        EXPECT_EQ(set[set.size() - 5], 0xF7);
    }
}

TEST(MDevDumpFile, RoundTripsEveryKind) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        Loaded t(model);
        MDevDescZEPHA& dev = t.Dev();
        const int last = dev.GetProgramCount() - 1;

        // Program file into the edit buffer, sent at once as the current program.
        dev.GetZEPHAProgram(9)->SetName("Nine");
        dev.GetZEPHAProgram(9)->SetParam(24, 77, 0);
        ASSERT_EQ(dev.SaveProgramFile(9, t.dir / "p.prg"), 0);
        const MDevProgramData nine = dev.GetZEPHAProgram(9)->ToBytes();
        dev.GetProgramCopy(0);
        EXPECT_EQ(dev.LoadProgramFileToEdit(t.dir / "p.prg"), &dev.GetEditBuffer());
        EXPECT_EQ(dev.GetEditBuffer().ToBytes(), nine);
        t.rig.Settle();
        EXPECT_EQ(t.rig.Synth().EditBuffer(), nine);

        // Program file written to a slot.
        ASSERT_EQ(dev.LoadProgramFileAndSend(last, t.dir / "p.prg"), 0);
        ASSERT_TRUE(t.rig.WaitChanged());
        EXPECT_EQ(t.rig.Synth().Program(last), nine);
        EXPECT_EQ(dev.GetProgramName(last), "Nine");

        // Global file into the working global, then to the device.
        dev.GetGlobalCopy(0)->SetParam(1, 4, 0);
        ASSERT_EQ(dev.SaveGlobalFile(-1, t.dir / "g.glb"), 0);
        dev.GetWorkingGlobal().SetParam(1, 0, 0);
        EXPECT_EQ(dev.LoadGlobalFileToEdit(t.dir / "g.glb"), &dev.GetWorkingGlobal());
        EXPECT_EQ(dev.GetWorkingGlobal().GetParam(1), 4);
        dev.GetWorkingGlobal().SetParam(1, 0, 0);
        ASSERT_EQ(dev.LoadGlobalFileAndSend(0, t.dir / "g.glb"), 0);
        ASSERT_TRUE(t.rig.WaitChanged());
        EXPECT_EQ(dev.GetDeviceGlobal().GetParam(1), 4);
        EXPECT_EQ(t.rig.Synth().Global()[1], 4);

        // Setup file, then the whole device.
        ASSERT_EQ(dev.SaveAllFile(t.dir / "s.set"), 0);
        const MDevProgramData lastBefore = dev.GetZEPHAProgram(last)->ToBytes();
        dev.GetZEPHAProgram(last)->SetName("Changed");
        ASSERT_EQ(dev.LoadAllFileAndSend(t.dir / "s.set"), 0);
        EXPECT_EQ(dev.GetProgramName(last), "Changed") << "the file's programs before the synth took them";
        ASSERT_TRUE(t.rig.WaitChanged());
        EXPECT_EQ(t.rig.Synth().Program(last), lastBefore);
        EXPECT_EQ(dev.GetZEPHAProgram(last)->ToBytes(), lastBefore);
    }
}

TEST(MDevDumpFile, BrontiselSetupOnTheBrontiselSFillsBothHalves) {
    velktest::TempDir dir;
    {
        Loaded b(B);
        b.Dev().GetZEPHAProgram(5)->SetName("Five");
        ASSERT_EQ(b.Dev().SaveAllFile(dir / "b.set"), 0);
    }
    Loaded s(S);
    ASSERT_EQ(s.Dev().LoadAllFileAndSend(dir / "b.set"), 0);
    ASSERT_TRUE(s.rig.WaitChanged());
    EXPECT_EQ(s.rig.Synth().Program(5), s.Dev().GetZEPHAProgram(5)->ToBytes());
    EXPECT_EQ(s.rig.Synth().Program(133), s.Dev().GetZEPHAProgram(5)->ToBytes());
}

TEST(MDevDumpFile, CurrentProgramOnlyLoadRequestsNoWrite) {
    Loaded t(B);
    ASSERT_EQ(t.Dev().SaveProgramFile(-1, t.dir / "e.prg"), 0);
    ASSERT_EQ(t.Dev().LoadProgramFileAndSend(-1, t.dir / "e.prg"), 0);
    ASSERT_TRUE(t.rig.WaitChanged());
    t.rig.Settle();
    EXPECT_TRUE(DevReceivedWith(t.rig.Synth(), 0x11).empty());
}

TEST(MDevDumpFile, IndexRulesAndSavingBeforeIdentification) {
    Loaded t(B);
    MDevDescZEPHA& dev = t.Dev();
    ASSERT_EQ(dev.SaveProgramFile(0, t.dir / "p.prg"), 0);
    ASSERT_EQ(dev.SaveGlobalFile(0, t.dir / "g.glb"), 0);
    const auto sent = t.Sent();
    EXPECT_EQ(dev.LoadGlobalFileAndSend(1, t.dir / "g.glb"), 18);
    EXPECT_EQ(dev.SaveGlobalFile(1, t.dir / "x.glb"), 18);
    EXPECT_EQ(dev.SaveProgramFile(128, t.dir / "x.prg"), 18);
    EXPECT_EQ(dev.LoadProgramFileAndSend(128, t.dir / "p.prg"), -1);
    EXPECT_FALSE(std::filesystem::exists(t.dir / "x.glb"));
    EXPECT_FALSE(std::filesystem::exists(t.dir / "x.prg"));
    t.rig.Settle();
    EXPECT_EQ(t.Sent(), sent);

    midiport::LoopbackMidiBackend backend;
    MDevConfig config(backend);
    MDevDescZEPHA unidentified(config);
    unidentified.Initialize();
    EXPECT_EQ(unidentified.SaveProgramFile(-1, t.dir / "u.prg"), 18);
    EXPECT_EQ(unidentified.SaveGlobalFile(-1, t.dir / "u.glb"), 18);
    EXPECT_EQ(unidentified.SaveAllFile(t.dir / "u.set"), 18);
    EXPECT_FALSE(std::filesystem::exists(t.dir / "u.prg"));
}

// Every load of a file whose dump the device does not take: the result, and
// nothing changed or sent.
void ExpectEveryLoadRefuses(Loaded& t, const std::filesystem::path& path, int code) {
    MDevDescZEPHA& dev = t.Dev();
    const MDevProgramData edit = dev.GetEditBuffer().ToBytes();
    const MDevGlobalData working = dev.GetWorkingGlobal().ToBytes();
    const MDevGlobalData device = dev.GetDeviceGlobal().ToBytes();
    const MDevProgramData first = dev.GetZEPHAProgram(0)->ToBytes();
    const auto sent = t.Sent();
    EXPECT_EQ(dev.LoadProgramFileToEdit(path), nullptr);
    EXPECT_EQ(dev.LoadProgramFileAndSend(3, path), code);
    EXPECT_EQ(dev.LoadGlobalFileToEdit(path), nullptr);
    EXPECT_EQ(dev.LoadGlobalFileAndSend(0, path), code);
    EXPECT_EQ(dev.LoadAllFileAndSend(path), code);
    t.rig.Settle();
    EXPECT_EQ(t.Sent(), sent) << "a refused load sent something";
    EXPECT_EQ(dev.GetEditBuffer().ToBytes(), edit);
    EXPECT_EQ(dev.GetWorkingGlobal().ToBytes(), working);
    EXPECT_EQ(dev.GetDeviceGlobal().ToBytes(), device);
    EXPECT_EQ(dev.GetZEPHAProgram(0)->ToBytes(), first);
}

TEST(MDevDumpFile, DumpOfAnotherChannelIsRefused) {
    Loaded t(B);
    const auto& info = t.Dev().GetModelInfo();
    MDevProgramData program{};
    program[0] = 'X';
    velktest::WriteAll(t.dir / "c.prg",
                       DevDumpFileBytes(AfterF0(Messages::CurrentProgramDump(1, info, program))));
    ExpectEveryLoadRefuses(t, t.dir / "c.prg", MDevDesc::kDumpNotApplied);

    MDevGlobalData global{};
    global[1] = 9;
    velktest::WriteAll(t.dir / "c.glb", DevDumpFileBytes(AfterF0(Messages::GlobalDump(1, info, global))));
    ExpectEveryLoadRefuses(t, t.dir / "c.glb", MDevDesc::kDumpNotApplied);

    // The other model's global and a cut dump.
    MDevModelInfo other = info;
    other.modelIndex = MDevModelInfo::kBrontiselS;
    other.modelIdLength = 3;
    velktest::WriteAll(t.dir / "m.glb", DevDumpFileBytes(AfterF0(Messages::GlobalDump(0, other, global))));
    ExpectEveryLoadRefuses(t, t.dir / "m.glb", MDevDesc::kDumpNotApplied);
    Bytes cut = AfterF0(Messages::GlobalDump(0, info, global));
    cut.erase(cut.end() - 2);
    velktest::WriteAll(t.dir / "l.glb", DevDumpFileBytes(cut));
    ExpectEveryLoadRefuses(t, t.dir / "l.glb", MDevDesc::kDumpNotApplied);
}

TEST(MDevDumpFile, FileOfTheWrongKindOrFormatIsRefused) {
    Loaded t(B);
    velktest::WriteAll(t.dir / "junk.prg", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0});
    ExpectEveryLoadRefuses(t, t.dir / "junk.prg", 21);
    ExpectEveryLoadRefuses(t, t.dir / "missing.prg", 1);

    // A program dump in a global file is not a global.
    ASSERT_EQ(t.Dev().SaveProgramFile(2, t.dir / "p.prg"), 0);
    EXPECT_EQ(t.Dev().LoadGlobalFileToEdit(t.dir / "p.prg"), nullptr);
    EXPECT_EQ(t.Dev().LoadAllFileAndSend(t.dir / "p.prg"), MDevDesc::kDumpNotApplied);
}

TEST(MDevDumpFile, AFifoNamedLikeADumpFileIsRefusedAtOnce) {
    // Opened from the list (into an editor, or onto the device), a FIFO
    // must not freeze the program waiting for a writer.
    Loaded t(S);
    ASSERT_TRUE(oddfiles::MakeFifo(t.dir / "x.prg"));
    std::filesystem::create_symlink("x.prg", t.dir / "link.set");
    for (const char* name : {"x.prg", "link.set"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(oddfiles::EndsWithoutAWriter(
            t.dir / "x.prg", [&] { ExpectEveryLoadRefuses(t, t.dir / name, MErrFileOpen); }));
    }
}

TEST(MDevDumpFile, AHugeFileIsRefusedBeforeItIsRead) {
    Loaded t(S);
    MDevDescZEPHA& dev = t.Dev();
    ASSERT_TRUE(oddfiles::MakeSparseFile(t.dir / "huge.prg", std::uint64_t{1} << 30));  // 1 GiB
    const long peakBefore = oddfiles::PeakMemoryKiB();
    ExpectEveryLoadRefuses(t, t.dir / "huge.prg", MErrFileTooLarge);
    EXPECT_LT(oddfiles::PeakMemoryKiB() - peakBefore, 256 * 1024) << "the file was read into memory";

    // The limit: a dump with anything after its track (never looked at) up
    // to the limit is read; one byte more is refused.
    ASSERT_EQ(dev.SaveProgramFile(4, t.dir / "p.prg"), 0);
    Bytes padded = velktest::ReadAll(t.dir / "p.prg");
    padded.resize(MDevDumpFileReader::kMaxFileSize);
    velktest::WriteAll(t.dir / "padded.prg", padded);
    EXPECT_EQ(dev.LoadProgramFileToEdit(t.dir / "padded.prg"), &dev.GetEditBuffer());
    EXPECT_EQ(dev.GetEditBuffer().ToBytes(), dev.GetZEPHAProgram(4)->ToBytes());
    padded.push_back(0);
    velktest::WriteAll(t.dir / "padded.prg", padded);
    EXPECT_EQ(dev.LoadProgramFileAndSend(3, t.dir / "padded.prg"), MErrFileTooLarge);
}

TEST(MDevDumpFile, GlobalFileLeavesTheWriteProtectWordAlone) {
    Loaded t(B);
    ASSERT_EQ(t.Dev().GetWriteProtect(), 0);
    MDevGlobalData global{};
    global[5] = 0x01;  // write protect on
    velktest::WriteAll(t.dir / "wp.glb",
                       DevDumpFileBytes(AfterF0(Messages::GlobalDump(0, t.Dev().GetModelInfo(), global))));
    ASSERT_NE(t.Dev().LoadGlobalFileToEdit(t.dir / "wp.glb"), nullptr);
    EXPECT_EQ(t.Dev().GetWriteProtect(), 0);
}

TEST(MDevDumpFile, BrontiselSetupFileLeavesTheWriteProtectWordAlone) {
    for (bool synthProtected : {false, true}) {
        SCOPED_TRACE(synthProtected ? "synth protected" : "synth unprotected");
        DevRig rig(B);
        velktest::TempDir dir;
        rig.Synth().SetWriteProtect(synthProtected);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        ASSERT_EQ(rig.Dev().GetWriteProtect(), synthProtected ? 1 : 0);
        // The file says the opposite of what the synth reported.
        Bytes payload(static_cast<std::size_t>(128) * Messages::kProgramRecordSize +
                      Messages::kGlobalRecordSize);
        payload[Messages::kAllDataGlobalOffset + 5] = synthProtected ? 0x00 : 0x01;
        payload[Messages::kAllDataGlobalOffset + 1] = 7;  // master transpose: the global was taken
        velktest::WriteAll(dir / "wp.set",
                           DevDumpFileBytes(AfterF0(Messages::AllDataDumpBrontisel(0, payload))));
        ASSERT_EQ(rig.Dev().LoadAllFileAndSend(dir / "wp.set"), 0);
        rig.Settle();
        EXPECT_EQ(rig.Dev().GetDeviceGlobal().GetParam(1), 7);
        EXPECT_EQ(rig.Dev().GetWriteProtect(), synthProtected ? 1 : 0);
    }
}

TEST(MDevDumpFile, SetupFileOneByteShortLeavesTheAllDataSizeAlone) {
    // Live, the short dump records its size; a refused file changes nothing.
    Loaded t(S);
    const Bytes full = AfterF0(Messages::AllDataDumpBrontisel(
        0,
        Bytes(static_cast<std::size_t>(128) * Messages::kProgramRecordSize + Messages::kGlobalRecordSize)));
    Bytes cut = full;
    cut.erase(cut.end() - 2);
    velktest::WriteAll(t.dir / "cut.set", DevDumpFileBytes(cut));
    EXPECT_EQ(t.Dev().LoadAllFileAndSend(t.dir / "cut.set"), MDevDesc::kDumpNotApplied);
    EXPECT_EQ(t.Dev().GetModelInfo().lastAllDataSize, Messages::kPackedAllDataSizeBrontiselS);
}

TEST(MDevDumpFile, EveryTruncatedFileIsRefused) {
    Loaded t(B);
    ASSERT_EQ(t.Dev().SaveProgramFile(7, t.dir / "p.prg"), 0);
    ASSERT_EQ(t.Dev().SaveGlobalFile(0, t.dir / "g.glb"), 0);
    ASSERT_EQ(t.Dev().SaveAllFile(t.dir / "s.set"), 0);
    MDevDescZEPHA& dev = t.Dev();
    const MDevProgramData edit = dev.GetEditBuffer().ToBytes();
    const MDevGlobalData working = dev.GetWorkingGlobal().ToBytes();
    const auto sent = t.Sent();
    struct File {
        const char* name;
        std::size_t stride;  // the setup file is sampled, the others taken whole
    };
    for (const File& f : {File{"p.prg", 1}, File{"g.glb", 1}, File{"s.set", 211}}) {
        SCOPED_TRACE(f.name);
        const Bytes whole = velktest::ReadAll(t.dir / f.name);
        for (std::size_t n = 0; n < whole.size(); n += (whole.size() - n <= 64 ? 1 : f.stride)) {
            velktest::WriteAll(t.dir / "cut",
                               Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)));
            ASSERT_EQ(dev.LoadProgramFileToEdit(t.dir / "cut"), nullptr) << n;
            ASSERT_EQ(dev.LoadGlobalFileToEdit(t.dir / "cut"), nullptr) << n;
            ASSERT_NE(dev.LoadAllFileAndSend(t.dir / "cut"), 0) << n;
        }
    }
    t.rig.Settle();
    EXPECT_EQ(t.Sent(), sent);
    EXPECT_EQ(dev.GetEditBuffer().ToBytes(), edit);
    EXPECT_EQ(dev.GetWorkingGlobal().ToBytes(), working);
}

namespace other_kind {

// What a load may change: every program, the edit buffer, both globals,
// the flags and the last all-data size.
struct DeviceState {
    std::vector<MDevProgramData> programs;
    MDevProgramData edit{};
    MDevGlobalData working{};
    MDevGlobalData device{};
    int dumpReceived = 0;
    int writeProtect = 0;
    std::size_t lastAllDataSize = 0;
    bool changed = false;

    static DeviceState Of(MDevDescZEPHA& dev) {
        DeviceState s;
        for (int i = 0; i < dev.GetProgramCount(); ++i)
            s.programs.push_back(dev.GetZEPHAProgram(i)->ToBytes());
        s.edit = dev.GetEditBuffer().ToBytes();
        s.working = dev.GetWorkingGlobal().ToBytes();
        s.device = dev.GetDeviceGlobal().ToBytes();
        s.dumpReceived = dev.IsDumpReceived();
        s.writeProtect = dev.GetWriteProtect();
        s.lastAllDataSize = dev.GetModelInfo().lastAllDataSize;
        s.changed = dev.GetTransferState().IsChanged();
        return s;
    }
    bool operator==(const DeviceState&) const = default;
};

enum class Kind { Program, Global, All };

const char* NameOf(Kind k) {
    return k == Kind::Program ? "program file" : k == Kind::Global ? "global file" : "setup file";
}

struct Loader {
    const char* name;
    Kind kind;  // the one dump kind it applies
    // The load's outcome: 0 success, else the code (47 or null reported as 47).
    int (*load)(MDevDescZEPHA&, const std::filesystem::path&);
};

int AsCode(const MDevDescProgram* p) { return p != nullptr ? 0 : MDevDesc::kDumpNotApplied; }

const Loader kLoaders[] = {
    {"LoadProgramFileToEdit", Kind::Program,
     [](MDevDescZEPHA& d, const std::filesystem::path& p) { return AsCode(d.LoadProgramFileToEdit(p)); }},
    {"LoadProgramFileAndSend(3)", Kind::Program,
     [](MDevDescZEPHA& d, const std::filesystem::path& p) { return d.LoadProgramFileAndSend(3, p); }},
    {"LoadProgramFileAndSend(-1)", Kind::Program,
     [](MDevDescZEPHA& d, const std::filesystem::path& p) { return d.LoadProgramFileAndSend(-1, p); }},
    {"LoadGlobalFileToEdit", Kind::Global,
     [](MDevDescZEPHA& d, const std::filesystem::path& p) { return AsCode(d.LoadGlobalFileToEdit(p)); }},
    {"LoadGlobalFileAndSend(0)", Kind::Global,
     [](MDevDescZEPHA& d, const std::filesystem::path& p) { return d.LoadGlobalFileAndSend(0, p); }},
    {"LoadAllFileAndSend", Kind::All,
     [](MDevDescZEPHA& d, const std::filesystem::path& p) { return d.LoadAllFileAndSend(p); }},
};

TEST(MDevDumpFile, LoaderGivenAnotherKindOfDumpChangesAndSendsNothing) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(::NameOf(model));
        Loaded t(model);
        MDevDescZEPHA& dev = t.Dev();
        // Valid files of every kind, saved from the received device.
        dev.GetDeviceGlobal().SetParam(1, 5, 0);
        dev.GetWorkingGlobal().SetParam(1, 6, 0);
        const std::filesystem::path files[] = {t.dir / "p.prg", t.dir / "g.glb", t.dir / "s.set"};
        ASSERT_EQ(dev.SaveProgramFile(3, files[0]), 0);
        ASSERT_EQ(dev.SaveGlobalFile(-1, files[1]), 0);
        ASSERT_EQ(dev.SaveAllFile(files[2]), 0);

        for (const Loader& loader : kLoaders) {
            for (Kind kind : {Kind::Program, Kind::Global, Kind::All}) {
                if (kind == loader.kind) continue;
                SCOPED_TRACE(std::string(loader.name) + " with a " + NameOf(kind));
                // A device whose every part differs from the files.
                dev.Initialize();
                dev.GetEditBuffer().SetName("Edit");
                dev.GetDeviceGlobal().SetParam(1, 9, 0);
                dev.GetWorkingGlobal().SetParam(1, 10, 0);
                ASSERT_EQ(dev.IsDumpReceived(), 0);
                const DeviceState before = DeviceState::Of(dev);
                const auto sent = t.Sent();
                EXPECT_EQ(loader.load(dev, files[static_cast<int>(kind)]), MDevDesc::kDumpNotApplied);
                t.rig.Settle();
                EXPECT_EQ(t.Sent(), sent) << "a refused load sent something";
                EXPECT_TRUE(DeviceState::Of(dev) == before) << "a refused load changed the device";
                EXPECT_EQ(dev.GetTransferState().GetStep(), MDevTransferState::Step::Idle)
                    << "a refused load armed a transfer";
            }
        }
    }
}

}  // namespace other_kind

}  // namespace
