# Desktop integration (launcher, menu entry, icons, AppStream data) and the
# Debian package built from the installation by `cpack -G DEB`.

set(MORVAYNE_APP_ID "com.quillfen.Morvayne")
set(_share "${PROJECT_BINARY_DIR}/share")

# The launcher finds the application folder relative to itself.
file(RELATIVE_PATH MORVAYNE_LAUNCHER_TO_APP "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${MORVAYNE_INSTALL_DIR}")
configure_file("${PROJECT_SOURCE_DIR}/packaging/morvayne.in" "${PROJECT_BINARY_DIR}/packaging/morvayne" @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The program icon at the icon theme's sizes, drawn by our generator.
set(MORVAYNE_ICON_FILES "${_share}/icons/hicolor/scalable/apps/${MORVAYNE_APP_ID}.svg")
foreach(_size 16 22 24 32 48 64 128 256 512)
  list(APPEND MORVAYNE_ICON_FILES "${_share}/icons/hicolor/${_size}x${_size}/apps/${MORVAYNE_APP_ID}.png")
endforeach()
add_custom_command(
  OUTPUT ${MORVAYNE_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:morvayne_artgen> --icons "${_share}/icons" "${MORVAYNE_APP_ID}"
  DEPENDS morvayne_artgen
  COMMENT "Drawing the program icon"
  VERBATIM)
add_custom_target(desktopfiles ALL DEPENDS ${MORVAYNE_ICON_FILES})

install(PROGRAMS "${PROJECT_BINARY_DIR}/packaging/morvayne" DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/${MORVAYNE_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/${MORVAYNE_APP_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(DIRECTORY "${_share}/icons/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")

if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvayne)
set(CPACK_PACKAGE_VENDOR Quillfen)
set(CPACK_PACKAGE_CONTACT "Quillfen <support@quillfen.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter for video and audio files")
set(CPACK_PACKAGE_DESCRIPTION "Morvayne converts video and audio files to MP4, MOV, MKV, AVI or MP3,
one to three at a time. Each file can be trimmed, cropped, rotated and
mirrored, and given another audio track or a subtitle before it is
converted. The command morvayne --convert converts without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quillfen.com/morvayne/")
# Libraries (Qt, libvlc, cJSON) come from dpkg-shlibdeps; these are what the
# program runs or loads by path: the tools, libvlc's decoders and video
# output, and the fonts. Qt's and FontAwesome's files are copied in at build time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, vlc-plugin-base, fonts-lato, fonts-noto-cjk")
include(CPack)
