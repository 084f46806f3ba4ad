#include "daqlink/board/BoardSettings.h"

#include "materials/MaterialLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>

namespace daqboard {
namespace {

constexpr size_t kMaxSettingsBytes = 64 * 1024;

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameText(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// A whole value must parse: "12abc" is not 12.
std::optional<double> ParseReal(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int64_t> ParseInteger(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<uint64_t> ParseUnsigned(std::string_view s)
{
    uint64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

// A real in [lo, hi] (open at lo when loOpen); nothing for anything else.
std::optional<double> RealIn(std::string_view value, double lo, double hi, bool loOpen = false)
{
    const auto v = ParseReal(value);
    if (!v || *v > hi || *v < lo || (loOpen && *v == lo))
        return std::nullopt;
    return v;
}

void SetReal(double &target, std::string_view value, double lo, double hi, bool loOpen = false)
{
    if (const auto v = RealIn(value, lo, hi, loOpen))
        target = *v;
}

constexpr double kLowestTemperature = -200.0; // the copper data begin at 20 K
constexpr double kHighestTemperature = 1500.0;

using TSetter = std::function<void(TBoardSettings &, std::string_view)>;

struct TKey {
    std::string_view name;
    TSetter set;
};

const std::array<TKey, 29> &Keys()
{
    static const std::array<TKey, 29> keys = {{
        {"Backend", [](TBoardSettings &s, std::string_view v) {
             if (SameText(v, "auto")) s.backend = TBackendChoice::Auto;
             else if (SameText(v, "sim")) s.backend = TBackendChoice::Simulator;
             else if (SameText(v, "comedi")) s.backend = TBackendChoice::Comedi;
         }},
        {"Device", [](TBoardSettings &s, std::string_view v) {
             if (!v.empty() && v.find('\0') == std::string_view::npos) s.device = std::string(v);
         }},
        {"HeaterLine", [](TBoardSettings &s, std::string_view v) {
             const auto n = ParseInteger(v);
             if (n && *n >= 0 && *n <= 1023) s.heaterLine = static_cast<int32_t>(*n);
         }},
        {"ErrorCode", [](TBoardSettings &s, std::string_view v) {
             const auto n = ParseInteger(v);
             if (n && *n >= std::numeric_limits<int16_t>::min() && *n <= std::numeric_limits<int16_t>::max())
                 s.errorCode = static_cast<int16_t>(*n);
         }},
        {"Material", [](TBoardSettings &s, std::string_view v) {
             // A library id is read once the whole file is known (ResolveLibrary).
             s.sim.material.library = {};
             if (SameText(v, "copper")) s.sim.material.kind = TMaterialKind::Copper;
             else if (SameText(v, "constant")) s.sim.material.kind = TMaterialKind::Constant;
             else if (SameText(v, "glass")) s.sim.material.kind = TMaterialKind::Glass;
             else s.sim.material.library.id = std::string(v);
         }},
        {"PushRod", [](TBoardSettings &s, std::string_view v) {
             s.sim.pushRod = {};
             if (!SameText(v, "constant")) s.sim.pushRod.id = std::string(v);
         }},
        {"TemperatureScale", [](TBoardSettings &s, std::string_view v) {
             SetReal(s.sim.temperatureScale, v, 0.0, 1000.0, true);
         }},
        {"LengthScale", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.lengthScale, v, 0.0, 1000.0, true); }},
        {"MaterialsDir", [](TBoardSettings &s, std::string_view v) {
             if (v.find('\0') == std::string_view::npos) s.sim.materialsDir = std::string(v);
         }},
        {"Alpha", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.material.alpha, v, -1e-3, 1e-3); }},
        {"SampleLength", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.sampleLength, v, 0.0, 1e6, true); }},
        {"QuartzAlpha", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.rodAlpha, v, -1e-3, 1e-3); }},
        {"HeatingRate", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.heatingRate, v, 0.0, 1000.0); }},
        {"MaxTemperature", [](TBoardSettings &s, std::string_view v) {
             SetReal(s.sim.maxTemperature, v, kLowestTemperature, kHighestTemperature);
         }},
        {"RoomTemperature", [](TBoardSettings &s, std::string_view v) {
             SetReal(s.sim.roomTemperature, v, kLowestTemperature, kHighestTemperature);
         }},
        {"StartTemperature", [](TBoardSettings &s, std::string_view v) {
             if (const auto t = RealIn(v, kLowestTemperature, kHighestTemperature)) s.sim.startTemperature = *t;
         }},
        {"CoolingTime", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.coolingTime, v, 0.0, 1e7, true); }},
        {"LagTime", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.lagTime, v, 0.0, 1e5); }},
        {"Step", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.step, v, 0.0, 86400.0, true); }},
        {"TemperatureNoise", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.temperatureNoise, v, 0.0, 100.0); }},
        {"LengthNoise", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.lengthNoise, v, 0.0, 1000.0); }},
        {"FailureRate", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.failureRate, v, 0.0, 1.0); }},
        {"Seed", [](TBoardSettings &s, std::string_view v) {
             if (const auto n = ParseUnsigned(v)) s.sim.seed = *n;
         }},
        {"GlassAlpha", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.material.glass.glassAlpha, v, -1e-3, 1e-3); }},
        {"LiquidAlpha", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.material.glass.liquidAlpha, v, -1e-3, 1e-3); }},
        {"GlassTg", [](TBoardSettings &s, std::string_view v) {
             SetReal(s.sim.material.glass.tg, v, kLowestTemperature, kHighestTemperature);
         }},
        {"GlassWidth", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.material.glass.width, v, 0.0, 500.0, true); }},
        {"SofteningTemperature", [](TBoardSettings &s, std::string_view v) {
             SetReal(s.sim.material.glass.softeningTemperature, v, kLowestTemperature, kHighestTemperature);
         }},
        {"SofteningRate", [](TBoardSettings &s, std::string_view v) { SetReal(s.sim.material.glass.softeningRate, v, 0.0, 1e4); }},
    }};
    return keys;
}

void ApplyLine(TBoardSettings &settings, std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[')
        return;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    for (const TKey &k : Keys()) {
        if (SameText(k.name, key)) {
            k.set(settings, value);
            return;
        }
    }
}

// The material file of a library id, or nothing.
std::shared_ptr<const materials::TReferenceMaterial> LoadLibraryMaterial(const std::string &directory,
                                                                          const std::string &id)
{
    // The id names a file inside the directory, never a path.
    if (id.empty() || id.find_first_of("/\\") != std::string::npos || id == "." || id == "..")
        return nullptr;
    std::string error;
    auto material = materials::LoadMaterialFile(directory + "/" + id + materials::kMaterialFileSuffix, error);
    if (!material || material->id != id)
        return nullptr;
    return std::make_shared<const materials::TReferenceMaterial>(std::move(*material));
}

// Reads the library materials the settings name; one that cannot be read
// leaves its setting as it was before the id (the sample) or constant (the
// push rod).
void ResolveLibrary(TSimSettings &sim)
{
    if (sim.material.library.id.empty() && sim.pushRod.id.empty())
        return;
    const std::string directory = sim.materialsDir.empty() ? DefaultMaterialsDirectory() : sim.materialsDir;
    if (!sim.material.library.id.empty()) {
        sim.material.library.data = LoadLibraryMaterial(directory, sim.material.library.id);
        if (sim.material.library.data)
            sim.material.kind = TMaterialKind::Library;
        else
            sim.material.library = {};
    }
    if (!sim.pushRod.id.empty()) {
        sim.pushRod.data = LoadLibraryMaterial(directory, sim.pushRod.id);
        if (!sim.pushRod.data)
            sim.pushRod = {};
    }
}

} // namespace

std::string DefaultMaterialsDirectory()
{
    const std::string settings = SettingsPathBesideLibrary();
    const size_t slash = settings.rfind('/');
    return materials::DefaultMaterialDirectory(slash == std::string::npos ? "." : settings.substr(0, slash));
}

TBoardSettings ParseSettings(std::string_view text)
{
    TBoardSettings settings;
    text = text.substr(0, kMaxSettingsBytes);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        ApplyLine(settings, text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    ResolveLibrary(settings.sim);
    return settings;
}

std::string ReadSettingsFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string text(kMaxSettingsBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return text;
}

std::string SettingsPathBesideLibrary()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&SettingsPathBesideLibrary), &info) == 0 || !info.dli_fname)
        return "daqlink.ini";
    const std::string library = info.dli_fname;
    const size_t slash = library.rfind('/');
    if (slash == std::string::npos)
        return "daqlink.ini";
    return library.substr(0, slash + 1) + "daqlink.ini";
}

} // namespace daqboard
