#include "simulator/SimBankNames.h"

#include "simulator/SimRecordValues.h"

#include <array>
#include <set>

namespace {

using Words = std::span<const char* const>;

constexpr const char* kDescribing[] = {
    "Warm",    "Dark",    "Bright", "Fat",    "Thin",   "Deep",   "Soft",   "Hard",  "Analog",
    "Vintage", "Retro",   "Cosmic", "Smooth", "Dirty",  "Clean",  "Wide",   "Big",   "Tiny",
    "Hollow",  "Glassy",  "Dreamy", "Icy",    "Golden", "Silver", "Velvet", "Acid",  "Funky",
    "Lush",    "Airy",    "Punchy", "Sharp",  "Round",  "Crisp",  "Mellow", "Wild",  "Rusty",
    "Neon",    "Solar",   "Lunar",  "Polar",  "Night",  "Dusty",  "Super",  "Hyper", "Mini",
    "Mega",    "Classic", "Modern", "Space",  "Ghost",  "Magic",  "Noble",  "Royal", "Early",
    "Twin",    "Pure",    "Rich",   "Fuzzy",  "Sweet",  "Bitter", "Stereo", "Lo-Fi",
};

constexpr const char* kBass[] = {"Bass", "Sub", "Bassline", "Growl", "Low End", "Rumble"};
constexpr const char* kLead[] = {"Lead", "Solo", "Whistle", "Sync Lead", "Screamer", "Saw Lead"};
constexpr const char* kPad[] = {"Pad", "Sweep", "Atmos", "Drone", "Halo", "Haze", "Cloud"};
constexpr const char* kStrings[] = {"Strings", "Str", "Violins", "Cellos", "Ensemble"};
constexpr const char* kKeys[] = {"Piano", "E.Piano", "Keys", "Tines", "EP"};
constexpr const char* kOrgan[] = {"Organ", "Drawbars", "Pipes"};
constexpr const char* kClav[] = {"Clav", "Clavi", "Clavinet"};
constexpr const char* kBells[] = {"Bells", "Chime", "Glass", "Mallet", "Vibes", "Kalimba"};
constexpr const char* kBrass[] = {"Brass", "Horns", "Stab", "Section", "Fanfare"};
constexpr const char* kArpeggio[] = {"Arp", "Seq", "Pattern", "Pulse", "Motion", "Cycle", "Steps"};
constexpr const char* kVocoder[] = {"Vocoder", "Voice", "Robot", "Vox", "Talker", "Choir"};
constexpr const char* kEffect[] = {"Noise", "Wind", "Laser", "Zap", "Storm", "Rain", "Sci-Fi"};
constexpr const char* kPercussion[] = {"Drum", "Perc", "Kick", "Tom", "Hits", "Clap", "Snare"};
constexpr const char* kPoly[] = {"Poly", "Synth", "Saws", "Square", "Chords"};
constexpr const char* kStack[] = {"Stack", "Layers", "Duo", "Blend", "Double"};

Words KindWords(SimSound sound) {
    switch (sound) {
    case SimSound::Bass: return kBass;
    case SimSound::Lead: return kLead;
    case SimSound::Pad: return kPad;
    case SimSound::Strings: return kStrings;
    case SimSound::Keys: return kKeys;
    case SimSound::Organ: return kOrgan;
    case SimSound::Clav: return kClav;
    case SimSound::Bells: return kBells;
    case SimSound::Brass: return kBrass;
    case SimSound::Arpeggio: return kArpeggio;
    case SimSound::Vocoder: return kVocoder;
    case SimSound::Effect: return kEffect;
    case SimSound::Percussion: return kPercussion;
    case SimSound::Poly: return kPoly;
    case SimSound::Stack: return kStack;
    }
    return kPoly;
}

std::string Join(const char* describing, const char* kind) { return std::string(describing) + ' ' + kind; }

}  // namespace

std::vector<std::string> SimProgramNames(std::span<const SimSound> sounds, SimRandom& random) {
    std::set<std::string> used;
    std::vector<std::string> names;
    names.reserve(sounds.size());
    for (const SimSound sound : sounds) {
        const Words kinds = KindWords(sound);
        std::string name;
        // A random pairing that fits and is new; the pairings are many more
        // than a bank's programs, so this ends after a few draws.
        for (int attempt = 0; attempt < 200 && name.empty(); ++attempt) {
            std::string candidate = Join(random.Pick(Words(kDescribing)), random.Pick(kinds));
            if (candidate.size() <= kSimNameSize && !used.contains(candidate)) name = std::move(candidate);
        }
        // Never reached with the word lists above; numbered names keep the
        // names distinct whatever the lists hold.
        for (int n = 2; name.empty(); ++n) {
            std::string candidate = std::string(kinds.front()).substr(0, 8) + ' ' + std::to_string(n);
            if (!used.contains(candidate)) name = std::move(candidate);
        }
        used.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}
