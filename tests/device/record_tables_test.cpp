// Every parameter field of the four records, one table per record: each
// parameter is set alone to a value whose field bits all differ from the
// record's, and exactly its bits must change in the record written, and read
// back. The tables are written from the record layouts, not from the code,
// so a swapped byte or a wrong mask shows. Then the complete name, unit and
// value-text tables.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "device/MDevDescZEPHAGlobal.h"
#include "device/MDevDescZEPHAProgram.h"
#include "device/MDevDescZEPHAProgramVocoder.h"
#include "device/MDevDescZEPHATimbre.h"
#include "tests/support/RecordingProgram.h"

namespace records_test {

using velktest::RecordingProgramOwner;

namespace {

using Bytes = std::vector<uint8_t>;

// A field of one byte: value bits (writeMask << shift) of `byte` as written;
// read back as (byte >> shift) & readMask.
struct Field {
    int id;
    int byte;
    int shift;
    uint8_t writeMask;
    uint8_t readMask;
    bool isSigned;  // 8-bit signed storage
};

// Fields spread over several bytes.
enum class Span { BigEndian16, BigEndian32, Pair };
struct WideField {
    int id;
    int byte;  // first byte
    Span span;
};

// One record kind: its object seen through parameter ids and whole records.
class Subject {
public:
    virtual ~Subject() = default;
    virtual void FromBytes(const Bytes& record) = 0;
    // Written over the record last read, as the device writes it.
    virtual Bytes ToBytes() const = 0;
    virtual void SetParam(int id, int32_t value) = 0;
    virtual int32_t GetParam(int id) const = 0;
};
using MakeSubject = std::unique_ptr<Subject> (*)();

// A record whose every byte differs from its neighbours.
Bytes Patterned(std::size_t size) {
    Bytes r(size);
    for (std::size_t i = 0; i < size; ++i) r[i] = static_cast<uint8_t>(i * 0x9D + 0x3B);
    return r;
}

std::string Hex(int v) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", v & 0xFF);
    return text;
}

// Sets each field alone and checks the record written and read back.
// `compareTo` limits the compared bytes for a field (the whole record by default).
void ExpectEachFieldAlone(MakeSubject make, const Bytes& known, const std::vector<Field>& fields,
                          std::size_t (*compareTo)(int id) = nullptr) {
    for (const Field& f : fields) {
        SCOPED_TRACE("id " + std::to_string(f.id) + " byte " + std::to_string(f.byte));
        auto subject = make();
        subject->FromBytes(known);
        const Bytes base = subject->ToBytes();
        const auto region = static_cast<uint8_t>((f.writeMask << f.shift) & 0xFF);
        const auto current = static_cast<uint8_t>((base[f.byte] >> f.shift) & f.writeMask);
        // Every field bit flipped, every bit beyond the field set.
        const int32_t v = (~current & f.writeMask) | (~f.writeMask & 0xFF);
        subject->SetParam(f.id, v);
        EXPECT_EQ(subject->GetParam(f.id), f.isSigned ? static_cast<int8_t>(v) : v);

        const Bytes out = subject->ToBytes();
        Bytes expected = base;
        expected[f.byte] = static_cast<uint8_t>((base[f.byte] & ~region) | ((v << f.shift) & region));
        const std::size_t limit = compareTo ? compareTo(f.id) : out.size();
        for (std::size_t i = 0; i < limit; ++i) {
            EXPECT_EQ(Hex(out[i]), Hex(expected[i])) << "record byte " << i << " after value " << Hex(v);
        }

        auto back = make();
        back->FromBytes(out);
        int32_t read = (out[f.byte] >> f.shift) & f.readMask;
        if (f.isSigned) read = static_cast<int8_t>(read);
        EXPECT_EQ(back->GetParam(f.id), read) << "read back";
    }
}

uint32_t ReadWide(const Bytes& r, const WideField& f) {
    switch (f.span) {
    case Span::BigEndian16: return static_cast<uint32_t>(r[f.byte] << 8 | r[f.byte + 1]);
    case Span::BigEndian32:
        return static_cast<uint32_t>(r[f.byte]) << 24 | static_cast<uint32_t>(r[f.byte + 1]) << 16 |
               static_cast<uint32_t>(r[f.byte + 2]) << 8 | r[f.byte + 3];
    case Span::Pair: return r[f.byte] & 0x7Fu;
    }
    return 0;
}

void ExpectEachWideFieldAlone(MakeSubject make, const Bytes& known, const std::vector<WideField>& fields) {
    for (const WideField& f : fields) {
        SCOPED_TRACE("id " + std::to_string(f.id) + " bytes from " + std::to_string(f.byte));
        auto subject = make();
        subject->FromBytes(known);
        const Bytes base = subject->ToBytes();
        Bytes expected = base;
        int32_t v = 0;
        switch (f.span) {
        case Span::BigEndian16:
            v = static_cast<int32_t>(~ReadWide(base, f) & 0xFFFF);
            expected[f.byte] = static_cast<uint8_t>(v >> 8);
            expected[f.byte + 1] = static_cast<uint8_t>(v);
            break;
        case Span::BigEndian32:
            v = static_cast<int32_t>(~ReadWide(base, f));
            for (int i = 0; i < 4; ++i)
                expected[f.byte + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (24 - 8 * i));
            break;
        case Span::Pair:
            v = static_cast<int32_t>(~ReadWide(base, f) & 0x7F);
            expected[f.byte] = expected[f.byte + 1] = static_cast<uint8_t>(v);
            break;
        }
        subject->SetParam(f.id, v);
        const Bytes out = subject->ToBytes();
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_EQ(Hex(out[i]), Hex(expected[i])) << "record byte " << i;
        auto back = make();
        back->FromBytes(out);
        EXPECT_EQ(back->GetParam(f.id), v) << "read back";
    }
}

// --- common parameters of the program record ----------------------------

// id, byte, shift, write mask, read mask, signed
// clang-format off
const std::vector<Field> kCommon = {
    {0, 14, 0, 0x0F, 0x0F, false},  // bits 3-7 are kept too: the known record has bit 3 clear
    {1, 15, 0, 0xFF, 0xFF, false},
    {2, 16, 4, 0x03, 0x03, false},
    {3, 17, 4, 0x0F, 0x0F, false},
    {4, 17, 0, 0x0F, 0x0F, false},
    {5, 19, 7, 0x01, 0x01, false},
    {6, 19, 0, 0x0F, 0x0F, false},
    {7, 20, 0, 0x7F, 0x7F, false},
    {8, 21, 0, 0x7F, 0x7F, false},
    {9, 22, 0, 0x03, 0x03, false},
    {10, 23, 0, 0x7F, 0x7F, false},
    {11, 24, 0, 0x7F, 0x7F, false},
    {12, 25, 0, 0x03, 0x7F, false},
    {13, 26, 0, 0xFF, 0x7F, false},
    {14, 27, 0, 0xFF, 0x7F, false},
    {15, 28, 0, 0xFF, 0x7F, false},
    {16, 29, 0, 0xFF, 0x7F, false},
    {18, 32, 7, 0x01, 0x01, false},
    {19, 32, 6, 0x01, 0x01, false},
    {20, 32, 4, 0x03, 0x03, false},
    {21, 32, 0, 0x01, 0x01, false},
    {22, 33, 0, 0x0F, 0x0F, false},
    {23, 33, 4, 0x0F, 0x03, false},
    {24, 34, 0, 0xFF, 0x7F, false},
    {25, 35, 0, 0xFF, 0x07, false},
    {26, 36, 0, 0xFF, 0xFF, true},
    {27, 37, 0, 0xFF, 0xFF, false},
};
// clang-format on
const std::vector<WideField> kCommonWide = {{17, 30, Span::BigEndian16}};

class ProgramSubject : public Subject {
public:
    void FromBytes(const Bytes& r) override {
        program_.FromBytes(std::span<const uint8_t, 254>(r.data(), 254));
    }
    Bytes ToBytes() const override {
        const MDevProgramData out = program_.ToBytes();
        return Bytes(out.begin(), out.end());
    }
    void SetParam(int id, int32_t v) override { program_.SetParam(id, v, 0); }
    int32_t GetParam(int id) const override { return program_.GetParam(id); }

private:
    RecordingProgramOwner owner_;
    MDevDescZEPHAProgram program_{owner_};
};

Bytes KnownProgram() {
    Bytes r = Patterned(254);
    for (int i = 0; i < 12; ++i) r[i] = static_cast<uint8_t>('A' + i);
    r[16] = static_cast<uint8_t>(r[16] & 0xCF);  // voice mode Single
    r[14] = static_cast<uint8_t>(r[14] & 0xF7);  // the trigger length's kept bit 3 clear
    return r;
}

TEST(RecordTables, CommonParametersEachChangeExactlyTheirBits) {
    const MakeSubject make = [] { return std::unique_ptr<Subject>(new ProgramSubject); };
    // The voice mode also chooses how bytes 38-253 are written.
    ExpectEachFieldAlone(make, KnownProgram(), kCommon,
                         [](int id) -> std::size_t { return id == 2 ? 38 : 254; });
    ExpectEachWideFieldAlone(make, KnownProgram(), kCommonWide);
}

// --- timbre block -----------------------------------------------------------

// clang-format off
const std::vector<Field> kTimbre = {
    {0, 0, 0, 0xFF, 0xFF, true},
    {1, 1, 6, 0x03, 0x03, false},
    {2, 1, 5, 0x01, 0x01, false},
    {3, 1, 4, 0x01, 0x01, false},
    {4, 1, 3, 0x01, 0x01, false},
    {5, 1, 0, 0x03, 0x03, false},
    {6, 2, 0, 0xFF, 0xFF, false},
    {7, 3, 0, 0xFF, 0xFF, false},
    {8, 4, 0, 0xFF, 0xFF, false},
    {9, 5, 0, 0xFF, 0xFF, false},
    {10, 6, 0, 0xFF, 0xFF, false},
    {11, 7, 0, 0xFF, 0x07, false},
    {12, 8, 0, 0xFF, 0x7F, false},
    {13, 9, 0, 0xFF, 0x7F, false},
    {14, 10, 0, 0xFF, 0x3F, false},
    {15, 12, 4, 0x03, 0x03, false},
    {16, 12, 0, 0x03, 0x03, false},
    {17, 13, 0, 0xFF, 0xFF, false},
    {18, 14, 0, 0xFF, 0xFF, false},
    {19, 15, 0, 0x7F, 0x7F, false},
    {20, 16, 0, 0xFF, 0x7F, false},
    {21, 17, 0, 0xFF, 0x7F, false},
    {22, 18, 0, 0xFF, 0x7F, false},
    {23, 19, 0, 0xFF, 0x03, false},
    {24, 20, 0, 0xFF, 0x7F, false},
    {25, 21, 0, 0xFF, 0x7F, false},
    {26, 22, 0, 0xFF, 0xFF, false},
    {27, 23, 0, 0xFF, 0xFF, false},
    {28, 24, 0, 0xFF, 0xFF, false},
    {29, 25, 0, 0xFF, 0x7F, false},
    {30, 26, 0, 0xFF, 0x7F, false},
    {31, 27, 6, 0x01, 0x01, false},
    {32, 27, 0, 0x01, 0x01, false},
    {33, 28, 0, 0xFF, 0xFF, false},
    {34, 29, 0, 0xFF, 0xFF, false},
    {35, 30, 0, 0xFF, 0x7F, false},
    {36, 31, 0, 0xFF, 0x7F, false},
    {37, 32, 0, 0xFF, 0x7F, false},
    {38, 33, 0, 0xFF, 0x7F, false},
    {39, 34, 0, 0xFF, 0x7F, false},
    {40, 35, 0, 0xFF, 0x7F, false},
    {41, 36, 0, 0xFF, 0x7F, false},
    {42, 37, 0, 0xFF, 0x7F, false},
    {43, 38, 4, 0x03, 0x03, false},
    {44, 38, 0, 0x03, 0x03, false},
    {45, 39, 0, 0x7F, 0x7F, false},
    {46, 40, 7, 0x01, 0x01, false},
    {47, 40, 0, 0x1F, 0x0F, false},
    {48, 41, 4, 0x03, 0x03, false},
    {49, 41, 0, 0x03, 0x03, false},
    {50, 42, 0, 0x7F, 0x7F, false},
    {51, 43, 7, 0x01, 0x01, false},
    {52, 43, 0, 0x1F, 0x0F, false},
    {53, 44, 4, 0x0F, 0x0F, false},
    {54, 44, 0, 0x0F, 0x0F, false},
    {55, 45, 0, 0xFF, 0xFF, false},
    {56, 46, 4, 0x0F, 0x0F, false},
    {57, 46, 0, 0x0F, 0x0F, false},
    {58, 47, 0, 0xFF, 0xFF, false},
    {59, 48, 4, 0x0F, 0x0F, false},
    {60, 48, 0, 0x0F, 0x0F, false},
    {61, 49, 0, 0xFF, 0xFF, false},
    {62, 50, 4, 0x0F, 0x0F, false},
    {63, 50, 0, 0x0F, 0x0F, false},
    {64, 51, 0, 0xFF, 0xFF, false},
};
// clang-format on

// A timbre or the vocoder part on its own block, written over the block read.
template <class Part, std::size_t Size>
class BlockSubject : public Subject {
public:
    void FromBytes(const Bytes& r) override {
        raw_ = r;
        part_.FromBytes(std::span<const uint8_t, Size>(r.data(), Size));
    }
    Bytes ToBytes() const override {
        Bytes out = raw_;
        part_.ToBytes(std::span<uint8_t, Size>(out.data(), Size));
        return out;
    }
    void SetParam(int id, int32_t v) override { part_.SetParam(id, v); }
    int32_t GetParam(int id) const override { return part_.GetParam(id); }

private:
    Bytes raw_;
    Part part_;
};
using TimbreSubject = BlockSubject<MDevDescZEPHATimbre, 108>;
using VocoderSubject = BlockSubject<MDevDescZEPHAProgramVocoder, 142>;

TEST(RecordTables, TimbreParametersEachChangeExactlyTheirBits) {
    ASSERT_EQ(kTimbre.size(), 65u);
    ExpectEachFieldAlone([] { return std::unique_ptr<Subject>(new TimbreSubject); }, Patterned(108), kTimbre);
}

TEST(RecordTables, TimbresSitAtTheirRecordOffsets) {
    // Program ids 28-92 and 93-157 are the timbre blocks at record bytes 38
    // and 146: the same table, shifted.
    for (int timbre : {0, 1}) {
        std::vector<Field> shifted;
        for (Field f : kTimbre) {
            f.id += timbre == 0 ? 28 : 93;
            f.byte += timbre == 0 ? 38 : 146;
            shifted.push_back(f);
        }
        ExpectEachFieldAlone([] { return std::unique_ptr<Subject>(new ProgramSubject); }, KnownProgram(),
                             shifted);
    }
}

// --- vocoder block ----------------------------------------------------------

// clang-format off
const std::vector<Field> kVocoder = {
    {0, 0, 0, 0xFF, 0xFF, true},
    {1, 1, 6, 0x03, 0x03, false},
    {2, 1, 5, 0x01, 0x01, false},
    {3, 1, 4, 0x01, 0x01, false},
    {4, 1, 3, 0x01, 0x01, false},
    {5, 1, 0, 0x03, 0x03, false},
    {6, 2, 0, 0xFF, 0xFF, false},
    {7, 3, 0, 0xFF, 0xFF, false},
    {8, 4, 0, 0xFF, 0xFF, false},
    {9, 5, 0, 0xFF, 0xFF, false},
    {10, 6, 0, 0xFF, 0xFF, false},
    {11, 7, 0, 0xFF, 0x07, false},
    {12, 8, 0, 0xFF, 0x7F, false},
    {13, 9, 0, 0xFF, 0x7F, false},
    {14, 10, 0, 0xFF, 0x3F, false},
    {15, 12, 0, 0x01, 0x01, false},
    {16, 14, 0, 0x7F, 0x7F, false},
    {17, 15, 0, 0xFF, 0x7F, false},
    {18, 16, 0, 0xFF, 0x7F, false},
    {19, 17, 0, 0xFF, 0x7F, false},
    {20, 18, 0, 0xFF, 0x7F, false},
    {21, 19, 0, 0xFF, 0x7F, false},
    {22, 20, 0, 0xFF, 0x7F, false},
    {23, 21, 0, 0xFF, 0x07, false},  // read with 0x07 so that its fifth value (4) survives
    {24, 22, 0, 0xFF, 0x7F, false},
    {25, 23, 0, 0xFF, 0x7F, false},
    {26, 24, 0, 0xFF, 0x07, false},
    {27, 25, 0, 0xFF, 0xFF, false},
    {28, 26, 0, 0xFF, 0xFF, false},
    {29, 27, 0, 0xFF, 0x7F, false},
    {30, 28, 0, 0xFF, 0x7F, false},
    {31, 29, 0, 0x01, 0x01, false},
    {32, 30, 0, 0xFF, 0xFF, false},
    {33, 31, 0, 0xFF, 0xFF, false},
    {34, 32, 0, 0xFF, 0x7F, false},
    {35, 33, 0, 0xFF, 0x7F, false},
    {36, 34, 0, 0xFF, 0x7F, false},
    {37, 35, 0, 0xFF, 0x7F, false},
    {38, 36, 0, 0xFF, 0x7F, false},
    {39, 37, 0, 0xFF, 0x7F, false},
    {40, 38, 0, 0xFF, 0x7F, false},
    {41, 39, 0, 0xFF, 0x7F, false},
    {42, 40, 4, 0x03, 0x03, false},
    {43, 40, 0, 0x03, 0x03, false},
    {44, 41, 0, 0xFF, 0x7F, false},
    {45, 42, 7, 0x01, 0x01, false},
    {46, 42, 0, 0x1F, 0x0F, false},
    {47, 43, 4, 0x03, 0x03, false},
    {48, 43, 0, 0x03, 0x03, false},
    {49, 44, 0, 0xFF, 0x7F, false},
    {50, 45, 7, 0x01, 0x01, false},
    {51, 45, 0, 0x1F, 0x0F, false},
};
// clang-format on

std::vector<WideField> VocoderWide() {
    std::vector<WideField> wide;
    for (int i = 0; i < 8; ++i) wide.push_back({52 + i, 46 + 2 * i, Span::Pair});          // channel levels
    for (int i = 0; i < 8; ++i) wide.push_back({60 + i, 62 + 2 * i, Span::Pair});          // channel pans
    for (int i = 0; i < 16; ++i) wide.push_back({68 + i, 78 + 4 * i, Span::BigEndian32});  // hold levels
    return wide;
}

TEST(RecordTables, VocoderParametersEachChangeExactlyTheirBits) {
    const std::vector<WideField> wide = VocoderWide();
    ASSERT_EQ(kVocoder.size() + wide.size(), 84u);
    const MakeSubject make = [] { return std::unique_ptr<Subject>(new VocoderSubject); };
    ExpectEachFieldAlone(make, Patterned(142), kVocoder);
    ExpectEachWideFieldAlone(make, Patterned(142), wide);
}

TEST(RecordTables, VocoderSitsAtRecordByteThirtyEight) {
    Bytes known = KnownProgram();
    known[16] = static_cast<uint8_t>(known[16] | 0x30);  // voice mode Vocoder
    std::vector<Field> shifted;
    for (Field f : kVocoder) {
        f.id += 158;
        f.byte += 38;
        shifted.push_back(f);
    }
    const MakeSubject make = [] { return std::unique_ptr<Subject>(new ProgramSubject); };
    ExpectEachFieldAlone(make, known, shifted);
    std::vector<WideField> wide = VocoderWide();
    for (auto& f : wide) {
        f.id += 158;
        f.byte += 38;
    }
    ExpectEachWideFieldAlone(make, known, wide);
}

// --- global record ----------------------------------------------------------

std::vector<Field> GlobalFields() {
    // clang-format off
    std::vector<Field> fields = {
        {0, 0, 0, 0xFF, 0xFF, true},
        {1, 1, 0, 0xFF, 0xFF, true},
        {2, 2, 0, 0x01, 0x01, false},
        // clang-format on
        // id 3 sets id 4 as well and id 6 goes to the device: below.
        // clang-format off
        {4, 4, 0, 0xFF, 0x0F, false},
        {5, 5, 2, 0x01, 0x01, false},
        {7, 8, 0, 0x03, 0x03, false},
        {8, 9, 0, 0x0F, 0x0F, false},
        {9, 10, 0, 0xFF, 0xFF, true},
        {10, 11, 0, 0xFF, 0xFF, true},
        {11, 16, 7, 0x01, 0x01, false},
        {12, 17, 6, 0x01, 0x01, false},
        {13, 17, 2, 0x01, 0x01, false},
        {14, 17, 0, 0x01, 0x01, false},
        {56, 72, 0, 0x01, 0x01, false},
        // clang-format on
    };
    for (int id = 15; id <= 55; ++id) fields.push_back({id, 18 + id - 15, 0, 0xFF, 0xFF, true});
    for (int id = 57; id <= 64; ++id) fields.push_back({id, 80 + id - 57, 0, 0xFF, 0xFF, false});
    return fields;
}

class GlobalSubject : public Subject {
public:
    void FromBytes(const Bytes& r) override {
        global_.FromBytes(std::span<const uint8_t, 200>(r.data(), 200), MDevGlobalSource::Device);
    }
    Bytes ToBytes() const override {
        const MDevGlobalData out = global_.ToBytes();
        return Bytes(out.begin(), out.end());
    }
    void SetParam(int id, int32_t v) override { global_.SetParam(id, v, 0); }
    int32_t GetParam(int id) const override { return global_.GetParam(id); }
    RecordingProgramOwner& Owner() { return owner_; }

private:
    RecordingProgramOwner owner_;
    MDevDescZEPHAGlobal global_{owner_};
};

TEST(RecordTables, GlobalParametersEachChangeExactlyTheirBits) {
    const std::vector<Field> fields = GlobalFields();
    ASSERT_EQ(fields.size(), 63u);
    ExpectEachFieldAlone([] { return std::unique_ptr<Subject>(new GlobalSubject); }, Patterned(200), fields);
}

TEST(RecordTables, GlobalVelocityCurveAndWriteProtect) {
    struct Case {
        int32_t curve;
        uint8_t byte3;
        uint8_t byte4;
    };
    for (const Case c : {Case{0x15, 0x15, 8}, Case{0x7F, 0x7F, 8}, Case{0, 0, 2}, Case{0x80, 0, 2}}) {
        GlobalSubject g;
        g.FromBytes(Patterned(200));
        Bytes expected = g.ToBytes();
        g.SetParam(3, c.curve);
        expected[3] = c.byte3;
        expected[4] = c.byte4;
        EXPECT_EQ(g.ToBytes(), expected) << "curve " << c.curve;
    }
    // Write protect goes to the device's word; records always go out with it off.
    GlobalSubject g;
    Bytes known = Patterned(200);
    known[5] |= 0x01;
    g.FromBytes(known);
    EXPECT_EQ(g.Owner().writeProtect, 1);
    Bytes expected = g.ToBytes();
    ASSERT_EQ(expected[5] & 0x01, 0);
    g.SetParam(6, 0);
    EXPECT_EQ(g.Owner().writeProtect, 0);
    g.SetParam(6, 1);
    EXPECT_EQ(g.Owner().writeProtect, 1);
    EXPECT_EQ(g.GetParam(6), 0);
    EXPECT_EQ(g.ToBytes(), expected);
}

// --- names, units and value texts --------------------------------------------

const char* const kCommonNames[28] = {
    "Arppegio Trigger Length",
    "Arppegio Trigger Pattern",
    "Voice Mode",
    "Scale Key",
    "Scale Type",
    "Delay FX Sync",
    "Delay FX Time Base",
    "Delay FX Delay Time",
    "Delay FX Depth",
    "Delay FX Type",
    "MOD FX LFO Speed",
    "MOD FX Depth",
    "MOD FX Type",
    "EQ Hi Freq",
    "EQ Hi Gain",
    "EQ Low Freq",
    "EQ Low Gain",
    "Arppegio Tempo",
    "Arppegio On/Off",
    "Arppegio Latch",
    "Arppegio Target",
    "Arppegio Key Sync",
    "Arppegio Type",
    "Arppegio Range",
    "Arppegio Gate Time",
    "Arppegio Resolution",
    "Arppegio Swing",
    "KBD Octave",
};

const char* const kTimbreNames[65] = {
    "MIDI ch.",
    "Assign Mode",
    "EG2 Reset",
    "EG1 Reset",
    "Trigger Mode",
    "Key Priority",
    "Unison Detune",
    "PITCH Tune",
    "PITCH Bend Range",
    "PITCH Transpose",
    "PITCH Vibrato Int",
    "OSC1 Wave",
    "OSC1 Waveform CTRL1",
    "OSC1 Waveform CTRL2",
    "OSC1 KARV Wave",
    "OSC2 Mode Select",
    "OSC2 Wave",
    "OSC2 Semitone",
    "OSC2 Tune",
    "PITCH2 Portamento Time",
    "MIXER OSC1 Level",
    "MIXER OSC2 Level",
    "MIXER Noise",
    "FILTER Type",
    "FILTER Cutoff",
    "FILTER Resonance",
    "FILTER EG1 Intensity",
    "FILTER Velocity Sense",
    "FILTER Keyboard Track",
    "AMP Level",
    "AMP Panpot",
    "AMP Amp Sw",
    "AMP Distortion",
    "AMP Velocity Sense",
    "AMP Keyboard Track",
    "EG1 Attack",
    "EG1 Decay",
    "EG1 Sustain",
    "EG1 Release",
    "EG2 Attack",
    "EG2 Decay",
    "EG2 Sustain",
    "EG2 Release",
    "LFO1 Key Sync",
    "LFO1 Wave",
    "LFO1 Frequency",
    "LFO1 Tempo Sync",
    "LFO1 Sync Note",
    "LFO2 Key Sync",
    "LFO2 Wave",
    "LFO2 Frequency",
    "LFO2 Tempo Sync",
    "LFO2 Sync Note",
    "PATCH1 Destination",
    "PATCH1 Source",
    "PATCH1 Intensity",
    "PATCH2 Destination",
    "PATCH2 Source",
    "PATCH2 Intensity",
    "PATCH3 Destination",
    "PATCH3 Source",
    "PATCH3 Intensity",
    "PATCH4 Destination",
    "PATCH4 Source",
    "PATCH4 Intensity",
};

TEST(RecordTables, EveryProgramNameAndUnit) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Init();
    for (int id = -1; id <= 242; ++id) {
        std::string name;
        if (id >= 0 && id < 28) name = kCommonNames[id];
        if (id >= 28 && id < 93) name = std::string("Timbre 1 ") + kTimbreNames[id - 28];
        if (id >= 93 && id < 158) name = std::string("Timbre 2 ") + kTimbreNames[id - 93];
        EXPECT_EQ(program.GetParamName(id), name) << "id " << id;
        const char* unit = id == 13                 ? "[kHz]"
                           : id == 15               ? "[Hz]"
                           : id == 17               ? "[BPM]"
                           : (id == 24 || id == 26) ? "[%]"
                                                    : "";
        EXPECT_EQ(program.GetUnitText(id), unit) << "id " << id;
    }
}

// The texts of an enumerated parameter, value 0 up; the value after the last
// shows `undefined`.
struct EnumTexts {
    int id;
    std::vector<const char*> texts;
    const char* undefined;
};

const std::vector<EnumTexts> kEnumTexts = {
    {2, {"Single", "Undefind", "Layer", "Vocoder"}, "Undefind"},
    {3, {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"}, "Undefind"},
    {4,
     {"Equal Temp", "Pure Major", "Pure Minor", "Arabic", "Pythagorea", "Werckmeist", "Kirnberger",
      "Slendoro", "Pelog", "User Scale"},
     "Undefind"},
    {5, {"Off", "On"}, "Undefined"},
    {6,
     {"1/32", "1/24", "1/16", "1/12", "3/32", "1/8", "1/6", "3/16", "1/4", "1/3", "3/8", "1/2", "2/3", "3/4",
      "1/1"},
     "Undefined"},
    {9, {"StereoDelay", "CrossDelay", "L/R Delay"}, "Undefined"},
    {12, {"Cho/Flg", "Ensemble", "Phaser"}, "Undefined"},
    {13,
     {"1.00", "1.25", "1.50", "1.75", "2.00",  "2.25",  "2.50",  "2.75",  "3.00", "3.25",
      "3.50", "3.75", "4.00", "4.25", "4.50",  "4.75",  "5.00",  "5.25",  "5.50", "5.75",
      "6.00", "7.00", "8.00", "9.00", "10.00", "11.00", "12.00", "14.00", "16.00"},
     "Undefined"},
    {15,
     {"40",  "50",  "60",  "80",  "100", "120", "140", "160", "180", "200", "220", "240", "260", "280", "300",
      "320", "340", "360", "380", "400", "420", "440", "460", "480", "500", "600", "700", "800", "900"},
     "Undefined"},
    {18, {"Off", "On"}, "Undefined"},
    {19, {"Off", "On"}, "Undefined"},
    {20, {"Both", "Timb1", "Timb2"}, "Undefined"},
    {21, {"Off", "On"}, "Undefined"},
    {22, {"Up", "Down", "Alt1", "Alt2", "Random", "Trigger"}, "Undefined"},
    {23, {"1 Octave", "2 Octave", "3 Octave", "4 Octave"}, "Undefined"},
    {25, {"1/24", "1/16", "1/12", "1/8", "1/6", "1/4"}, "Undefined"},
};

std::string Signed(int v) { return (v >= 0 ? "+" : "") + std::to_string(v); }

TEST(RecordTables, EveryProgramValueText) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Init();
    for (const EnumTexts& e : kEnumTexts) {
        const int count = static_cast<int>(e.texts.size());
        for (int v = 0; v <= 255; ++v) {
            program.SetParam(e.id, v, 0);
            EXPECT_EQ(program.GetValueText(e.id),
                      v < count ? e.texts[static_cast<std::size_t>(v)] : e.undefined)
                << "id " << e.id << " value " << v;
        }
    }
    for (int v = 0; v <= 255; ++v) {
        for (int id : {0, 1, 7, 8, 10, 11, 24, 27}) {
            program.SetParam(id, v, 0);
            EXPECT_EQ(program.GetValueText(id), std::to_string(v)) << "id " << id;
        }
        for (int id : {14, 16}) {
            program.SetParam(id, v, 0);
            EXPECT_EQ(program.GetValueText(id), Signed(v - 64)) << "id " << id;
        }
        program.SetParam(26, v, 0);
        EXPECT_EQ(program.GetValueText(26), Signed(static_cast<int8_t>(v)));
    }
    for (int32_t v : {0, 300, 65535}) {
        program.SetParam(17, v, 0);
        EXPECT_EQ(program.GetValueText(17), std::to_string(v));
    }
    // Timbre values as numbers (t0 signed), the vocoder part without texts.
    for (int id = 28; id < 158; ++id) {
        program.SetParam(id, 200, 0);
        const bool midiChannel = id == 28 || id == 93;
        EXPECT_EQ(program.GetValueText(id), midiChannel ? "-56" : "200") << "id " << id;
    }
    for (int id = 158; id <= 242; ++id) {
        program.SetParam(id, 5, 0);
        EXPECT_EQ(program.GetValueText(id), "") << "id " << id;
    }
}

TEST(RecordTables, TimbreNamesCarryTheirPrefix) {
    for (int index : {0, 1}) {
        MDevDescZEPHATimbre timbre;
        timbre.SetDefaults(index);
        for (int t = 0; t < 65; ++t) {
            EXPECT_EQ(timbre.GetParamName(t),
                      std::string(index == 0 ? "Timbre 1 " : "Timbre 2 ") + kTimbreNames[t]);
            EXPECT_EQ(timbre.GetUnitText(t), "");
        }
    }
}

TEST(RecordTables, VocoderHasNoTexts) {
    MDevDescZEPHAProgramVocoder vocoder;
    vocoder.Init();
    for (int k = -1; k <= 84; ++k) {
        EXPECT_EQ(vocoder.GetParamName(k), "") << k;
        EXPECT_EQ(vocoder.GetValueText(k), "") << k;
        EXPECT_EQ(vocoder.GetUnitText(k), "") << k;
    }
}

TEST(RecordTables, EveryGlobalText) {
    RecordingProgramOwner owner;
    MDevDescZEPHAGlobal global(owner);
    for (int id = -1; id <= 66; ++id) {
        EXPECT_EQ(global.GetValueText(id), "value#" + std::to_string(id));
        EXPECT_EQ(global.GetParamName(id), "param#" + std::to_string(id));
        EXPECT_EQ(global.GetUnitText(id), "label#" + std::to_string(id));
    }
    EXPECT_EQ(global.GetName(), "Global");
    EXPECT_EQ(global.GetParamCount(), 65);
}

}  // namespace
}  // namespace records_test
