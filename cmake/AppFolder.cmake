# Assembles the application folder: the external tools, fonts, translations and
# libvlc's plug-ins that the program looks for beside its executable.

find_program(FFMPEG_EXECUTABLE ffmpeg REQUIRED)
find_program(FFPROBE_EXECUTABLE ffprobe REQUIRED)

set(MORVAYNE_LATO_DIR "/usr/share/fonts/truetype/lato" CACHE PATH "Folder holding the Lato fonts")
set(MORVAYNE_FONTAWESOME_TTF "/usr/share/fonts/truetype/font-awesome/fontawesome-webfont.ttf"
    CACHE FILEPATH "The FontAwesome web font")
foreach(_f Lato-Bold.ttf Lato-Light.ttf Lato-Regular.ttf)
  if(NOT EXISTS "${MORVAYNE_LATO_DIR}/${_f}")
    message(FATAL_ERROR "${MORVAYNE_LATO_DIR}/${_f} is missing (package fonts-lato)")
  endif()
endforeach()

pkg_get_variable(LIBVLC_PLUGINS_DIR libvlc pluginsdir)
if(NOT LIBVLC_PLUGINS_DIR)
  pkg_get_variable(_vlc_libdir libvlc libdir)
  set(LIBVLC_PLUGINS_DIR "${_vlc_libdir}/vlc/plugins")
endif()
if(NOT IS_DIRECTORY "${LIBVLC_PLUGINS_DIR}")
  message(FATAL_ERROR "libvlc plug-in folder ${LIBVLC_PLUGINS_DIR} is missing (package vlc-plugin-base)")
endif()

set(_app "${MORVAYNE_APP_DIR}")
set(_outputs
  "${_app}/ffmpeg" "${_app}/ffprobe" "${_app}/plugins"
  "${_app}/font/Lato-Bold_0.ttf" "${_app}/font/Lato-Light_0.ttf" "${_app}/font/Lato-Regular_0.ttf"
  "${_app}/font/fonts.conf" "${_app}/Lang/Lang_config")

add_custom_command(
  OUTPUT ${_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${_app}/font" "${_app}/Lang"
  COMMAND ${CMAKE_COMMAND} -E create_symlink "${FFMPEG_EXECUTABLE}" "${_app}/ffmpeg"
  COMMAND ${CMAKE_COMMAND} -E create_symlink "${FFPROBE_EXECUTABLE}" "${_app}/ffprobe"
  COMMAND ${CMAKE_COMMAND} -E create_symlink "${LIBVLC_PLUGINS_DIR}" "${_app}/plugins"
  COMMAND ${CMAKE_COMMAND} -E copy "${MORVAYNE_LATO_DIR}/Lato-Bold.ttf" "${_app}/font/Lato-Bold_0.ttf"
  COMMAND ${CMAKE_COMMAND} -E copy "${MORVAYNE_LATO_DIR}/Lato-Light.ttf" "${_app}/font/Lato-Light_0.ttf"
  COMMAND ${CMAKE_COMMAND} -E copy "${MORVAYNE_LATO_DIR}/Lato-Regular.ttf" "${_app}/font/Lato-Regular_0.ttf"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/resources/fonts.conf" "${_app}/font/fonts.conf"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/translations/Lang_config" "${_app}/Lang/Lang_config"
  DEPENDS "${PROJECT_SOURCE_DIR}/resources/fonts.conf" "${PROJECT_SOURCE_DIR}/translations/Lang_config"
  COMMENT "Assembling the application folder"
  VERBATIM)

# Program texts: translations/Lang_<CODE>.ts become Lang/Lang_<CODE>.qm.
# Every code listed in Lang_config has one.
set(MORVAYNE_LANGUAGES EN ZH DE FR ES JA)
set(MORVAYNE_TS_FILES)
foreach(_code IN LISTS MORVAYNE_LANGUAGES)
  list(APPEND MORVAYNE_TS_FILES "${PROJECT_SOURCE_DIR}/translations/Lang_${_code}.ts")
endforeach()
set_source_files_properties(${MORVAYNE_TS_FILES} PROPERTIES OUTPUT_LOCATION "${_app}/Lang")
qt5_add_translation(MORVAYNE_QM_FILES ${MORVAYNE_TS_FILES})

# The framework's own texts (file dialogs, standard buttons) come from
# Debian's qttranslations5-l10n as Lang/Qt_<CODE>.qm. qtbase_<lang>.qm holds
# the Qt Widgets texts and stands alone; qt_<lang>.qm would only point at it.
get_target_property(_qmake Qt5::qmake IMPORTED_LOCATION)
execute_process(COMMAND "${_qmake}" -query QT_INSTALL_TRANSLATIONS
  OUTPUT_VARIABLE _qt_translations OUTPUT_STRIP_TRAILING_WHITESPACE)
set(MORVAYNE_QT_TRANSLATIONS_DIR "${_qt_translations}" CACHE PATH
  "Folder holding Qt's own translations (package qttranslations5-l10n)")
set(_qt_lang_ZH zh_CN)
set(_qt_lang_DE de)
set(_qt_lang_FR fr)
set(_qt_lang_ES es)
set(_qt_lang_JA ja)
set(MORVAYNE_QT_QM_FILES)
foreach(_code ZH DE FR ES JA)
  set(_from "${MORVAYNE_QT_TRANSLATIONS_DIR}/qtbase_${_qt_lang_${_code}}.qm")
  if(NOT EXISTS "${_from}")
    message(FATAL_ERROR "${_from} is missing (package qttranslations5-l10n)")
  endif()
  set(_to "${_app}/Lang/Qt_${_code}.qm")
  add_custom_command(
    OUTPUT "${_to}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_app}/Lang"
    COMMAND ${CMAKE_COMMAND} -E copy "${_from}" "${_to}"
    DEPENDS "${_from}"
    VERBATIM)
  list(APPEND MORVAYNE_QT_QM_FILES "${_to}")
endforeach()

add_custom_target(appfolder ALL DEPENDS ${_outputs} ${MORVAYNE_QM_FILES} ${MORVAYNE_QT_QM_FILES})

# Refreshing the .ts sources from the code is a deliberate step, never part of a build.
add_custom_target(lupdate
  COMMAND Qt5::lupdate -no-obsolete -locations none
          "${PROJECT_SOURCE_DIR}/app" "${PROJECT_SOURCE_DIR}/toolkit" "${PROJECT_SOURCE_DIR}/ui"
          "${PROJECT_SOURCE_DIR}/convert" "${PROJECT_SOURCE_DIR}/probe" "${PROJECT_SOURCE_DIR}/common"
          -ts ${MORVAYNE_TS_FILES}
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
  VERBATIM)

# Installed, the application folder is <prefix>/lib/morvayne. Its tools and
# fonts are links to the system's own, found on the target system at the
# paths below (Debian's); a packager for another layout changes them.
include(GNUInstallDirs)
set(MORVAYNE_INSTALL_DIR "lib/morvayne")
set(MORVAYNE_INSTALL_FFMPEG "/usr/bin/ffmpeg" CACHE FILEPATH "ffmpeg on the system the installation runs on")
set(MORVAYNE_INSTALL_FFPROBE "/usr/bin/ffprobe" CACHE FILEPATH "ffprobe on the system the installation runs on")
set(MORVAYNE_INSTALL_VLC_PLUGINS "${LIBVLC_PLUGINS_DIR}" CACHE PATH
  "libvlc's plug-in folder on the system the installation runs on")
set(MORVAYNE_INSTALL_LATO_DIR "${MORVAYNE_LATO_DIR}" CACHE PATH
  "The Lato fonts on the system the installation runs on")
install(FILES "${_app}/font/fonts.conf" DESTINATION "${MORVAYNE_INSTALL_DIR}/font")
install(FILES "${_app}/Lang/Lang_config" ${MORVAYNE_QM_FILES} ${MORVAYNE_QT_QM_FILES}
  DESTINATION "${MORVAYNE_INSTALL_DIR}/Lang")
install(CODE "
  set(_dest \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${MORVAYNE_INSTALL_DIR}\")
  file(MAKE_DIRECTORY \"\${_dest}/font\")
  foreach(_pair \"${MORVAYNE_INSTALL_FFMPEG}|ffmpeg\" \"${MORVAYNE_INSTALL_FFPROBE}|ffprobe\"
                \"${MORVAYNE_INSTALL_VLC_PLUGINS}|plugins\"
                \"${MORVAYNE_INSTALL_LATO_DIR}/Lato-Bold.ttf|font/Lato-Bold_0.ttf\"
                \"${MORVAYNE_INSTALL_LATO_DIR}/Lato-Light.ttf|font/Lato-Light_0.ttf\"
                \"${MORVAYNE_INSTALL_LATO_DIR}/Lato-Regular.ttf|font/Lato-Regular_0.ttf\")
    string(REPLACE \"|\" \";\" _pair \"\${_pair}\")
    list(GET _pair 0 _target)
    list(GET _pair 1 _name)
    message(STATUS \"Installing: \${_dest}/\${_name} -> \${_target}\")
    file(REMOVE \"\${_dest}/\${_name}\")
    file(CREATE_LINK \"\${_target}\" \"\${_dest}/\${_name}\" SYMBOLIC)
  endforeach()
")
