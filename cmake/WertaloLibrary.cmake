# wertalo_library(NAME SOURCES file... DEPENDS target...): one layer of the core as a shared
# library. Every symbol it uses must come from itself or from the layers it names (-z defs),
# so a dependency on a layer above fails the link.
function(wertalo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  target_link_options(${name} PRIVATE -Wl,-z,defs)
endfunction()
