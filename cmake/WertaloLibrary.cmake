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

# wertalo_program_allocator(TARGET): a program (never a library a host program loads) allocates
# with tcmalloc when the machine has it. An export makes and frees millions of small values;
# glibc's allocator spent about a sixth of a large export merging freed blocks.
find_library(WERTALO_TCMALLOC_LIBRARY NAMES tcmalloc_minimal)
function(wertalo_program_allocator target)
  if(WERTALO_TCMALLOC_LIBRARY)
    # Linked even where the linker drops libraries no symbol is taken from: it replaces malloc.
    target_link_libraries(${target} PRIVATE -Wl,--push-state,--no-as-needed ${WERTALO_TCMALLOC_LIBRARY} -Wl,--pop-state)
  endif()
endfunction()
