#pragma once

#include <QLatin1String>

#include <cstddef>

// Every key of the settings store, in one place. All values are stored as text.
namespace SettingKeys {

// The length comes from the array, not strlen: only GCC takes strlen in a
// constant expression.
template <std::size_t N> constexpr QLatin1String key(const char (&text)[N])
{
    return QLatin1String(text, int(N - 1));
}

constexpr QLatin1String Organisation = key("Quillfen");
constexpr QLatin1String Application = key("Morvayne");

constexpr QLatin1String OutFolder = key("OutFolder");
constexpr QLatin1String ConvertOutFolder = key("Convert_outFolder");
constexpr QLatin1String AddVideoPath = key("addVideoPath");
constexpr QLatin1String AddAudioPath = key("addAudioPath");
constexpr QLatin1String AddSubtitlePath = key("addSubtitlePath");
constexpr QLatin1String TempFolder = key("TempFolder");
constexpr QLatin1String SkinType = key("SKIN_Type");
constexpr QLatin1String Language = key("Language");
constexpr QLatin1String Lang = key("Lang");
constexpr QLatin1String VideoConvertFormat = key("Video_Convert_Format");
constexpr QLatin1String ResetDebugLogs = key("Reset_DebugLogs");

} // namespace SettingKeys
