#pragma once
// The names config.ini keeps its settings under, in one place for the
// settings object and the port code that reads and writes them.

namespace tavix {

// Sections and entries of config.ini.
inline constexpr const char* kIniPortSection = "communicateset";
inline constexpr const char* kIniPortEntry = "port";
inline constexpr const char* kIniDisplaySection = "display";
inline constexpr const char* kIniYAxisEntry = "yaxis";
inline constexpr const char* kIniPowerColourEntry = "powercolor";
inline constexpr const char* kIniHardwareSection = "hardware";
inline constexpr const char* kIniGearSection = "gearrate";
inline constexpr const char* kIniPolesSection = "polnumber";
inline constexpr const char* kIniDefaultEntry = "default";
inline constexpr const char* kIniDescriptionEntry = "description";

}  // namespace tavix
