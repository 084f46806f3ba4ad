#pragma once
// Settings of the board library, from the optional file "daqlink.ini" beside
// the library. Every key is optional; an unknown key or a value that does not
// parse or lies outside its range is ignored and the default stays.
#include "daqlink/board/BoardExport.h"
#include "daqlink/board/Materials.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace daqboard {

enum class TBackendChoice {
    Auto,      // the Comedi board when its device opens, else the simulator
    Simulator, // always the simulator
    Comedi,    // only the board: without it the converter reports "not ready"
};

// The simulated dilatometer: a furnace with its own controller, a sample, a
// fused-silica push rod, and the noise, failures and resolution of the
// converter.
struct TSimSettings {
    TMaterial material;                      // "Material", "Alpha"
    double sampleLength = 50000.0;           // "SampleLength", micrometres
    double rodAlpha = 5.2e-7;                // "QuartzAlpha", per K
    double heatingRate = 5.0;                // "HeatingRate", K per minute
    double maxTemperature = 1000.0;          // "MaxTemperature", degrees Celsius
    double roomTemperature = 20.0;           // "RoomTemperature", degrees Celsius
    std::optional<double> startTemperature;  // "StartTemperature"; room temperature when absent
    double coolingTime = 3600.0;             // "CoolingTime", s: furnace time constant with heating cut
    double lagTime = 60.0;                   // "LagTime", s: sample behind furnace
    double step = 60.0;                      // "Step", simulated seconds per scan
    double temperatureNoise = 0.1;           // "TemperatureNoise", K (standard deviation)
    double lengthNoise = 0.2;                // "LengthNoise", micrometres (standard deviation)
    double failureRate = 0.0;                // "FailureRate", share of failed conversions
    uint64_t seed = 1;                       // "Seed"
    // The push rod's true expansion: a library material ("PushRod" = its id,
    // e.g. silica); none ("constant"): the coefficient rodAlpha.
    TLibraryMaterial pushRod;
    double temperatureScale = 1.0;           // "TemperatureScale", °C per code of channels 0 and 2
    double lengthScale = 1.0;                // "LengthScale", micrometres per code of channel 1
    // "MaterialsDir": the reference-material library for "Material" and
    // "PushRod"; empty: share/varotem/materials beside the board library.
    std::string materialsDir;

    double StartTemperature() const { return startTemperature.value_or(roomTemperature); }
    friend bool operator==(const TSimSettings &, const TSimSettings &) = default;
};

struct TBoardSettings {
    TBackendChoice backend = TBackendChoice::Auto; // "Backend": auto, sim or comedi
    std::string device = "/dev/comedi0";           // "Device"
    int32_t heaterLine = 0;                        // "HeaterLine": digital output line of the heater
    int16_t errorCode = -1;                        // "ErrorCode": reading of a failed conversion
    TSimSettings sim;

    friend bool operator==(const TBoardSettings &, const TBoardSettings &) = default;
};

// Reads settings from the text of an INI file: "key = value" lines, keys in any
// letter case; section headers and lines starting with ';' or '#' are skipped.
// A "Material" or "PushRod" naming a library id is read from the file
// <id>.material of the library directory; when that file is missing or not a
// material the setting keeps its default.
DAQBOARD_API TBoardSettings ParseSettings(std::string_view text);

// The library's directory when "MaterialsDir" is not given.
DAQBOARD_API std::string DefaultMaterialsDirectory();

// The text of a settings file, at most 64 KiB of it; empty when it cannot be read.
DAQBOARD_API std::string ReadSettingsFile(const std::string &path);

// "daqlink.ini" in the directory of the board libraries.
DAQBOARD_API std::string SettingsPathBesideLibrary();

} // namespace daqboard
