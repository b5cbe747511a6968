#include "simulator/SimBankSounds.h"

#include <array>

namespace {

namespace C = SimCommon;

// Timbre values by name.
namespace T {
constexpr int kMidiChannel = 0, kAssign = 1, kEg2Reset = 2, kEg1Reset = 3, kTrigger = 4, kDetune = 6,
              kTune = 7, kBendRange = 8, kTranspose = 9, kVibrato = 10, kOsc1Wave = 11, kOsc1Ctrl1 = 12,
              kOsc1Ctrl2 = 13, kKarvWave = 14, kOscMod = 15, kOsc2Wave = 16, kSemitone = 17, kOsc2Tune = 18,
              kPortamento = 19, kOsc1Level = 20, kOsc2Level = 21, kNoise = 22, kFilterType = 23, kCutoff = 24,
              kResonance = 25, kEgInt = 26, kFilterVelocity = 27, kFilterKbdTrack = 28, kAmpLevel = 29,
              kPan = 30, kDistortion = 32, kAmpVelocity = 33, kAmpKbdTrack = 34, kEg1 = 35, kEg2 = 39,
              kLfo1 = 43, kLfo2 = 48, kPatch = 53;
}  // namespace T

// Vocoder values by name.
namespace V {
constexpr int kAssign = 1, kEgReset = 2, kTrigger = 4, kDetune = 6, kTune = 7, kVibrato = 10, kOsc1Wave = 11,
              kOsc1Ctrl1 = 12, kOsc1Ctrl2 = 13, kKarvWave = 14, kHpfGate = 15, kPortamento = 16,
              kOsc1Level = 17, kInstLevel = 18, kNoise = 19, kHpfLevel = 20, kGateSense = 21, kThreshold = 22,
              kFormantShift = 23, kCutoff = 24, kResonance = 25, kFcModSource = 26, kFcModInt = 27,
              kEfSense = 28, kLevel = 29, kDirectLevel = 30, kDistortion = 31, kKbdTrack = 33, kAmpEg = 38,
              kLfo1 = 42, kLfo2 = 47, kChannelLevel = 52, kChannelPan = 60, kHoldLevel = 68;
}  // namespace V

constexpr int kCentre = 64;  // signed values are stored centred at 64
constexpr int kHold = 127;   // E.F Sense that holds the levels

// OSC 1 waves, OSC 2 waves, LFO waves, patch sources and destinations.
constexpr int kSaw = 0, kSquare = 1, kTriangle = 2, kSine = 3, kVoxWave = 4, kKarv = 5, kNoiseWave = 6;
constexpr int kSampleHold = 3;
constexpr int kSrcFilterEg = 0, kSrcLfo1 = 2, kSrcLfo2 = 3, kSrcVelocity = 4, kSrcKbdTrack = 5,
              kSrcModWheel = 7;
constexpr int kDstPitch = 0, kDstOsc2Tune = 1, kDstOsc1Ctrl = 2, kDstCutoff = 4, kDstAmp = 5, kDstPan = 6;
constexpr int kMono = 0, kPoly = 1, kUnison = 2;
// KARV waves: first index and count of each family.
constexpr int kKarvPianos = 35, kKarvOrgans = 39, kKarvClavs = 46, kKarvBells = 56, kKarvVoices = 60;

using Timbre = std::array<int, kSimTimbreCount>;

void Envelope(Timbre& t, int first, int attack, int decay, int sustain, int release) {
    t[static_cast<std::size_t>(first)] = attack;
    t[static_cast<std::size_t>(first + 1)] = decay;
    t[static_cast<std::size_t>(first + 2)] = sustain;
    t[static_cast<std::size_t>(first + 3)] = release;
}

void Lfo(Timbre& t, int first, SimRandom& r, int wave, int lowFrequency, int highFrequency) {
    t[static_cast<std::size_t>(first)] = r.Below(3);  // key sync
    t[static_cast<std::size_t>(first + 1)] = wave;
    t[static_cast<std::size_t>(first + 2)] = r.Between(lowFrequency, highFrequency);
    t[static_cast<std::size_t>(first + 3)] = r.Percent(15) ? 1 : 0;  // tempo sync
    t[static_cast<std::size_t>(first + 4)] = r.Below(15);            // sync note
}

void Patch(Timbre& t, int n, int source, int destination, int intensity) {
    t[static_cast<std::size_t>(T::kPatch + 3 * n)] = destination;
    t[static_cast<std::size_t>(T::kPatch + 3 * n + 1)] = source;
    t[static_cast<std::size_t>(T::kPatch + 3 * n + 2)] = kCentre + intensity;
}

// A playable poly timbre that the kinds below adjust.
Timbre BaseTimbre(SimRandom& r) {
    Timbre t = SimProgramValues::TimbreDefaults();
    t[T::kAssign] = kPoly;
    t[T::kTrigger] = r.Below(2);
    t[T::kEg1Reset] = r.Below(2);
    t[T::kEg2Reset] = r.Below(2);
    t[T::kTune] = r.Percent(20) ? r.Near(kCentre, 4, 14, 114) : kCentre;
    t[T::kBendRange] = kCentre + (r.Percent(80) ? 2 : r.Pick<int>(std::array{1, 5, 7, 12}));
    t[T::kVibrato] = kCentre + r.Between(0, 10);
    t[T::kOsc1Wave] = r.Pick<int>(std::array{kSaw, kSaw, kSquare, kTriangle, kVoxWave});
    t[T::kOsc1Ctrl1] = r.Between(0, 127);
    t[T::kOsc1Ctrl2] = r.Between(0, 40);
    t[T::kKarvWave] = r.Below(64);
    t[T::kOsc2Wave] = r.Below(3);
    t[T::kOscMod] = r.Percent(80) ? 0 : r.Between(1, 3);
    t[T::kSemitone] = kCentre + r.Pick<int>(std::array{0, 0, 0, 12, -12, 7, 5});
    t[T::kOsc2Tune] = r.Near(kCentre, 12, 1, 127);
    t[T::kOsc1Level] = r.Between(96, 127);
    t[T::kOsc2Level] = r.Between(0, 110);
    t[T::kNoise] = r.Percent(80) ? 0 : r.Between(5, 40);
    t[T::kFilterType] = r.Percent(70) ? 0 : r.Below(4);
    t[T::kCutoff] = r.Between(45, 105);
    t[T::kResonance] = r.Between(0, 60);
    t[T::kEgInt] = kCentre + r.Between(0, 40);
    t[T::kFilterVelocity] = r.Near(kCentre, 20, 1, 127);
    t[T::kFilterKbdTrack] = kCentre + r.Between(0, 30);
    t[T::kAmpLevel] = r.Between(100, 127);
    t[T::kPan] = r.Percent(80) ? kCentre : r.Near(kCentre, 20, 1, 127);
    t[T::kDistortion] = r.Percent(10) ? 1 : 0;
    t[T::kAmpVelocity] = r.Near(kCentre, 20, 1, 127);
    t[T::kAmpKbdTrack] = r.Near(kCentre, 8, 1, 127);
    Envelope(t, T::kEg1, r.Between(0, 30), r.Between(30, 90), r.Between(0, 100), r.Between(10, 60));
    Envelope(t, T::kEg2, r.Between(0, 10), r.Between(40, 90), r.Between(80, 127), r.Between(5, 40));
    Lfo(t, T::kLfo1, r, r.Below(4), 20, 90);
    Lfo(t, T::kLfo2, r, r.Pick<int>(std::array{2, 2, 0, 1}), 40, 80);
    Patch(t, 0, kSrcLfo2, kDstPitch, 0);
    Patch(t, 1, kSrcVelocity, kDstCutoff, r.Between(0, 30));
    Patch(t, 2, kSrcModWheel, r.Pick<int>(std::array{kDstCutoff, kDstPitch, kDstOsc1Ctrl}),
          r.Between(10, 40));
    Patch(t, 3, kSrcKbdTrack, r.Pick<int>(std::array{kDstAmp, kDstPan, kDstOsc2Tune}), r.Between(-20, 20));
    return t;
}

Timbre BassTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kAssign] = r.Percent(60) ? kMono : kPoly;
    t[T::kTranspose] = kCentre + (r.Percent(40) ? -12 : 0);
    t[T::kOsc1Wave] = r.Pick<int>(std::array{kSaw, kSquare, kTriangle});
    t[T::kSemitone] = kCentre + r.Pick<int>(std::array{0, -12, 12});
    t[T::kPortamento] = t[T::kAssign] == kMono && r.Percent(50) ? r.Between(5, 30) : 0;
    t[T::kCutoff] = r.Between(25, 70);
    t[T::kResonance] = r.Between(10, 70);
    t[T::kEgInt] = kCentre + r.Between(20, 50);
    Envelope(t, T::kEg1, 0, r.Between(30, 70), r.Between(0, 40), r.Between(5, 20));
    Envelope(t, T::kEg2, 0, r.Between(50, 80), r.Between(110, 127), r.Between(3, 15));
    return t;
}

Timbre LeadTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    const int assign = r.Below(4);
    t[T::kAssign] = assign == 0 ? kPoly : (assign == 1 ? kUnison : kMono);
    t[T::kDetune] = t[T::kAssign] == kUnison ? r.Between(8, 40) : 0;
    t[T::kPortamento] = r.Percent(60) ? r.Between(10, 50) : 0;
    t[T::kVibrato] = kCentre + r.Between(4, 16);
    t[T::kCutoff] = r.Between(70, 115);
    Envelope(t, T::kEg2, r.Between(0, 8), r.Between(50, 80), r.Between(100, 127), r.Between(10, 35));
    return t;
}

Timbre PadTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kCutoff] = r.Between(40, 85);
    t[T::kOsc2Tune] = r.Near(kCentre, 10, 1, 127);
    Envelope(t, T::kEg1, r.Between(40, 90), r.Between(60, 100), r.Between(40, 100), r.Between(50, 100));
    Envelope(t, T::kEg2, r.Between(50, 95), r.Between(60, 100), r.Between(90, 127), r.Between(60, 110));
    Lfo(t, T::kLfo1, r, r.Pick<int>(std::array{0, 2}), 5, 30);
    return t;
}

Timbre StringsTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kOsc1Wave] = kSaw;
    t[T::kOsc2Wave] = kSaw;
    t[T::kOsc2Tune] = kCentre + r.Pick<int>(std::array{-8, -5, 5, 8});
    t[T::kCutoff] = r.Between(60, 100);
    t[T::kResonance] = r.Between(0, 25);
    Envelope(t, T::kEg2, r.Between(20, 55), r.Between(60, 90), r.Between(100, 127), r.Between(40, 80));
    return t;
}

// Electric pianos, organs and clavinets: KARV waves of their family.
Timbre KeysTimbre(SimRandom& r, SimSound family) {
    Timbre t = BaseTimbre(r);
    t[T::kOsc1Wave] = kKarv;
    if (family == SimSound::Organ) {
        t[T::kKarvWave] = kKarvOrgans + r.Below(7);
        Envelope(t, T::kEg2, 0, 64, 127, r.Between(5, 15));
    } else if (family == SimSound::Clav) {
        t[T::kKarvWave] = kKarvClavs + r.Below(2);
        Envelope(t, T::kEg2, 0, r.Between(40, 70), r.Between(0, 40), r.Between(5, 20));
    } else {
        t[T::kKarvWave] = kKarvPianos + r.Below(4);
        Envelope(t, T::kEg2, 0, r.Between(60, 95), r.Between(0, 60), r.Between(20, 45));
    }
    t[T::kCutoff] = r.Between(70, 120);
    t[T::kEgInt] = kCentre + r.Between(0, 15);
    return t;
}

Timbre BellsTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    if (r.Percent(50)) {
        t[T::kOsc1Wave] = kSine;
        t[T::kOsc1Ctrl1] = r.Between(30, 90);
    } else {
        t[T::kOsc1Wave] = kKarv;
        t[T::kKarvWave] = kKarvBells + r.Below(4);
    }
    t[T::kOscMod] = r.Percent(50) ? 1 : 0;  // ring
    t[T::kSemitone] = kCentre + r.Pick<int>(std::array{12, 19, 24});
    t[T::kCutoff] = r.Between(80, 127);
    Envelope(t, T::kEg2, 0, r.Between(70, 110), r.Between(0, 20), r.Between(50, 90));
    return t;
}

Timbre BrassTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kOsc1Wave] = kSaw;
    t[T::kCutoff] = r.Between(40, 80);
    t[T::kEgInt] = kCentre + r.Between(25, 50);
    Envelope(t, T::kEg1, r.Between(10, 35), r.Between(40, 70), r.Between(40, 80), r.Between(15, 35));
    Envelope(t, T::kEg2, r.Between(5, 20), r.Between(50, 80), r.Between(100, 127), r.Between(15, 35));
    return t;
}

Timbre PluckTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kCutoff] = r.Between(40, 90);
    Envelope(t, T::kEg1, 0, r.Between(25, 55), r.Between(0, 30), r.Between(10, 30));
    Envelope(t, T::kEg2, 0, r.Between(30, 60), r.Between(0, 50), r.Between(10, 30));
    return t;
}

Timbre EffectTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kOsc1Wave] = r.Percent(50) ? kNoiseWave : kSaw;
    t[T::kNoise] = r.Between(30, 127);
    t[T::kResonance] = r.Between(60, 120);
    Lfo(t, T::kLfo1, r, kSampleHold, 40, 110);
    Patch(t, 0, kSrcLfo1, kDstPitch, r.Between(20, 63));
    Patch(t, 1, kSrcLfo1, kDstCutoff, r.Between(-63, 63));
    Envelope(t, T::kEg2, r.Between(0, 60), r.Between(60, 127), r.Between(60, 127), r.Between(40, 127));
    return t;
}

Timbre PercussionTimbre(SimRandom& r) {
    Timbre t = BaseTimbre(r);
    t[T::kOsc1Wave] = r.Pick<int>(std::array{kSine, kTriangle, kNoiseWave});
    t[T::kNoise] = r.Between(30, 100);
    Envelope(t, T::kEg1, 0, r.Between(20, 45), 0, r.Between(10, 25));
    Envelope(t, T::kEg2, 0, r.Between(20, 50), 0, r.Between(10, 30));
    Patch(t, 0, kSrcFilterEg, kDstPitch, r.Between(20, 50));
    return t;
}

Timbre TimbreOf(SimSound sound, SimRandom& r) {
    switch (sound) {
    case SimSound::Bass: return BassTimbre(r);
    case SimSound::Lead: return LeadTimbre(r);
    case SimSound::Pad: return PadTimbre(r);
    case SimSound::Strings: return StringsTimbre(r);
    case SimSound::Keys:
    case SimSound::Organ:
    case SimSound::Clav: return KeysTimbre(r, sound);
    case SimSound::Bells: return BellsTimbre(r);
    case SimSound::Brass: return BrassTimbre(r);
    case SimSound::Arpeggio: return PluckTimbre(r);
    case SimSound::Effect: return EffectTimbre(r);
    case SimSound::Percussion: return PercussionTimbre(r);
    case SimSound::Poly:
    case SimSound::Stack:
    case SimSound::Vocoder: break;
    }
    return BaseTimbre(r);
}

// Effects, equaliser, scale and the arpeggiator's settings (left off).
void BaseCommon(SimProgramValues& p, SimRandom& r) {
    auto& c = p.common;
    c[C::kVoiceMode] = kSimVoiceSingle;
    const bool tuned = r.Percent(5);
    c[C::kScaleKey] = tuned ? r.Below(12) : 0;
    c[C::kScaleType] = tuned ? r.Between(1, 9) : 0;
    c[C::kDelaySync] = r.Below(2);
    c[C::kDelayTimeBase] = r.Pick<int>(std::array{5, 7, 8, 11, 2, 9});
    c[C::kDelayTime] = r.Between(20, 100);
    c[C::kDelayDepth] = r.Between(0, 60);
    c[C::kDelayType] = r.Below(3);
    c[C::kModSpeed] = r.Between(10, 80);
    c[C::kModDepth] = r.Between(0, 80);
    c[C::kModType] = r.Below(3);
    c[C::kEqHighFreq] = r.Between(10, 24);
    c[C::kEqHighGain] = r.Near(kCentre, 6, 52, 76);
    c[C::kEqLowFreq] = r.Between(2, 12);
    c[C::kEqLowGain] = r.Near(kCentre, 6, 52, 76);
    c[C::kArpTempo] = r.Between(90, 140);
    c[C::kArpOn] = 0;
    c[C::kArpLatch] = 0;
    c[C::kArpTarget] = 0;
    c[C::kArpKeySync] = r.Below(2);
    c[C::kArpType] = r.Below(6);
    c[C::kArpRange] = r.Below(4);
    c[C::kArpGate] = r.Between(40, 90);
    c[C::kArpResolution] = r.Pick<int>(std::array{1, 1, 3, 2, 5});
    c[C::kArpSwing] = r.Percent(80) ? 0 : r.Between(-20, 40);
    c[C::kArpLastStep] = 7;
    c[C::kArpPattern] = 0;  // a set bit mutes its step: every step plays
    c[C::kKbdOctave] = r.Percent(85) ? 0 : r.Pick<int>(std::array{-1, 1});
}

void TurnArpeggiatorOn(SimProgramValues& p, SimRandom& r) {
    auto& c = p.common;
    c[C::kArpOn] = 1;
    c[C::kArpTempo] = r.Between(100, 140);
    c[C::kArpLatch] = r.Percent(30) ? 1 : 0;
    c[C::kArpGate] = r.Between(30, 80);
    c[C::kArpLastStep] = r.Pick<int>(std::array{3, 5, 7, 7});
    // A few steps muted (a set bit mutes its step); step 1 always plays.
    int muted = 0;
    for (int step = 1; step < 8; ++step)
        if (r.Percent(15)) muted |= 1 << step;
    c[C::kArpPattern] = muted;
}

void Vocoder(SimProgramValues& p, SimRandom& r) {
    auto& k = p.vocoder;
    k = SimProgramValues::VocoderDefaults();
    k[V::kAssign] = r.Percent(80) ? kPoly : kUnison;
    k[V::kDetune] = k[V::kAssign] == kUnison ? r.Between(8, 30) : 0;
    k[V::kEgReset] = r.Below(2);
    k[V::kTrigger] = r.Below(2);
    k[V::kTune] = kCentre;
    k[V::kVibrato] = kCentre + r.Between(0, 10);
    k[V::kOsc1Wave] = r.Pick<int>(std::array{kSaw, kSquare, kVoxWave, kKarv});
    k[V::kOsc1Ctrl1] = r.Between(0, 127);
    k[V::kOsc1Ctrl2] = r.Between(0, 40);
    k[V::kKarvWave] = kKarvVoices + r.Below(4);
    k[V::kHpfGate] = r.Below(2);
    k[V::kPortamento] = r.Percent(70) ? 0 : r.Between(5, 30);
    k[V::kOsc1Level] = r.Between(100, 127);
    k[V::kInstLevel] = 0;
    k[V::kNoise] = r.Between(0, 30);
    k[V::kHpfLevel] = r.Between(20, 80);
    k[V::kGateSense] = r.Between(80, 120);
    k[V::kThreshold] = r.Between(5, 30);
    k[V::kFormantShift] = r.Percent(70) ? 0 : r.Between(1, 3);
    k[V::kCutoff] = r.Near(kCentre, 20, 1, 127);
    k[V::kResonance] = r.Between(10, 60);
    k[V::kFcModSource] = r.Between(1, 7);
    k[V::kFcModInt] = r.Near(kCentre, 30, 1, 127);
    k[V::kEfSense] = r.Percent(20) ? kHold : r.Between(20, 60);
    k[V::kLevel] = r.Between(100, 127);
    k[V::kDirectLevel] = r.Between(0, 40);
    k[V::kDistortion] = r.Percent(10) ? 1 : 0;
    k[V::kKbdTrack] = r.Near(kCentre, 10, 1, 127);
    k[V::kAmpEg] = r.Between(0, 20);
    k[V::kAmpEg + 1] = r.Between(50, 80);
    k[V::kAmpEg + 2] = r.Between(100, 127);
    k[V::kAmpEg + 3] = r.Between(10, 40);
    k[V::kLfo1 + 1] = r.Below(4);
    k[V::kLfo1 + 2] = r.Between(10, 60);
    k[V::kLfo2 + 1] = 2;
    k[V::kLfo2 + 2] = r.Between(40, 80);
    // The synthesis filter: a formant-like rise and fall across the eight
    // channels, spread alternately left and right.
    const int peak = r.Between(2, 5);
    for (int i = 0; i < 8; ++i) {
        const int distance = i > peak ? i - peak : peak - i;
        k[static_cast<std::size_t>(V::kChannelLevel + i)] = r.Near(127 - 9 * distance, 4, 40, 127);
        const int spread = r.Between(0, 40);
        k[static_cast<std::size_t>(V::kChannelPan + i)] = kCentre + (i % 2 == 0 ? -spread : spread);
    }
    // Held levels (used when E.F Sense holds them): 23-bit levels in bits
    // 8-30, falling towards the high channels.
    for (int i = 0; i < 16; ++i) {
        const int level = r.Between(0x100000, 0x7FFFFF) >> (i / 6);
        k[static_cast<std::size_t>(V::kHoldLevel + i)] = level << 8;
    }
}

}  // namespace

std::span<const int> SimSoundShares() {
    // Bass, Lead, Pad, Strings, Keys, Organ, Clav, Bells, Brass, Arpeggio,
    // Vocoder, Effect, Percussion, Poly, Stack.
    static constexpr int kShares[] = {14, 14, 14, 8, 6, 4, 2, 8, 8, 12, 8, 8, 6, 10, 6};
    return kShares;
}

SimProgramValues SimMakeSound(SimSound sound, SimRandom& r) {
    SimProgramValues p;
    BaseCommon(p, r);
    p.vocoder = SimProgramValues::VocoderDefaults();
    if (sound == SimSound::Vocoder) {
        p.common[C::kVoiceMode] = kSimVoiceVocoder;
        Vocoder(p, r);
        return p;
    }
    p.timbres[0] = TimbreOf(sound, r);
    p.timbres[1] = TimbreOf(sound, r);
    if (sound == SimSound::Stack ||
        ((sound == SimSound::Pad || sound == SimSound::Strings) && r.Percent(30))) {
        // Two different layers, one on each side.
        static constexpr SimSound kUpper[] = {SimSound::Bells, SimSound::Brass, SimSound::Strings,
                                              SimSound::Keys};
        p.common[C::kVoiceMode] = kSimVoiceLayer;
        if (sound == SimSound::Stack) {
            p.timbres[0] = PadTimbre(r);
            p.timbres[1] = TimbreOf(r.Pick<SimSound>(kUpper), r);
        }
        p.timbres[0][T::kPan] = kCentre - r.Between(10, 30);
        p.timbres[1][T::kPan] = kCentre + r.Between(10, 30);
        p.timbres[1][T::kTune] = r.Near(kCentre, 6, 14, 114);
    }
    if (sound == SimSound::Arpeggio) {
        TurnArpeggiatorOn(p, r);
        if (r.Percent(30)) {
            p.common[C::kVoiceMode] = kSimVoiceLayer;
            p.common[C::kArpTarget] = r.Below(3);
        }
    } else if ((sound == SimSound::Bass || sound == SimSound::Effect) && r.Percent(15)) {
        TurnArpeggiatorOn(p, r);
    }
    return p;
}
