#include "librarian/VelkCommandLine.h"

#include <charconv>
#include <string_view>

namespace {

// "--name=value" gives value; "--name" gives an empty value; else nothing.
std::optional<std::string_view> OptionValue(std::string_view arg, std::string_view name, bool& hasValue) {
    if (arg.substr(0, name.size()) != name) return std::nullopt;
    const std::string_view rest = arg.substr(name.size());
    if (rest.empty()) {
        hasValue = false;
        return rest;
    }
    if (rest.front() != '=') return std::nullopt;
    hasValue = true;
    return rest.substr(1);
}

VelkOptionsResult Fail(std::string text) { return {std::nullopt, std::move(text)}; }

}  // namespace

VelkOptionsResult ParseVelkOptions(std::span<const std::string> args) {
    VelkOptions options;
    for (const std::string& arg : args) {
        bool hasValue = false;
        if (auto value = OptionValue(arg, "--simulate", hasValue)) {
            options.simulate = true;
            if (!hasValue || *value == "brontisel-s") options.model = SimModel::BrontiselS;
            else if (*value == "brontisel") options.model = SimModel::Brontisel;
            else return Fail("unknown model \"" + std::string(*value) + "\" (brontisel or brontisel-s)");
        } else if (auto rate = OptionValue(arg, "--wire-rate", hasValue)) {
            uint32_t parsed = 0;
            const auto [end, ec] = std::from_chars(rate->data(), rate->data() + rate->size(), parsed);
            if (!hasValue || rate->empty() || ec != std::errc() || end != rate->data() + rate->size())
                return Fail("--wire-rate needs a number of bytes per second");
            options.wireRate = parsed;
        } else if (auto file = OptionValue(arg, "--screenshot", hasValue)) {
            if (!hasValue || file->empty()) return Fail("--screenshot needs a file name");
            options.screenshot = std::string(*file);
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else {
            return Fail("unknown option \"" + arg + "\"");
        }
    }
    return {options, {}};
}

std::string VelkUsage(const std::string& program) {
    return "Usage: " + program +
           " [options]\n"
           "  --simulate[=brontisel|brontisel-s]  use a simulated synth (default: the\n"
           "                                      Brontisel S) instead of the MIDI ports\n"
           "  --wire-rate=N                       the simulated cable's rate in bytes/s\n"
           "                                      (0: as fast as possible)\n"
           "  --screenshot=FILE                   save a PNG of the window once the\n"
           "                                      device is shown, then quit\n"
           "  --help                              show this text\n";
}
