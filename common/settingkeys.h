#pragma once

#include <QLatin1String>

// Every key of the settings store, in one place. All values are stored as text.
namespace SettingKeys {

constexpr QLatin1String Organisation{"Quillfen"};
constexpr QLatin1String Application{"Morvayne"};

constexpr QLatin1String OutFolder{"OutFolder"};
constexpr QLatin1String ConvertOutFolder{"Convert_outFolder"};
constexpr QLatin1String AddVideoPath{"addVideoPath"};
constexpr QLatin1String AddAudioPath{"addAudioPath"};
constexpr QLatin1String AddSubtitlePath{"addSubtitlePath"};
constexpr QLatin1String TempFolder{"TempFolder"};
constexpr QLatin1String SkinType{"SKIN_Type"};
constexpr QLatin1String Language{"Language"};
constexpr QLatin1String Lang{"Lang"};
constexpr QLatin1String VideoConvertFormat{"Video_Convert_Format"};
constexpr QLatin1String ResetDebugLogs{"Reset_DebugLogs"};

} // namespace SettingKeys
