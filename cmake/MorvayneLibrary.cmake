# morvayne_library(<name> SOURCES ... LINKS ...)
# One static library per source folder. A folder without sources yet still
# provides its target, so that the layers above can already link it.
function(morvayne_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC morvayne_flags ${ARG_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE morvayne_flags ${ARG_LINKS})
  endif()
endfunction()
