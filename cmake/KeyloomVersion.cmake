# The program's version table in every executable.
#
# On Windows the executable carries a real version resource. Elsewhere
# keyloom_embed_version(target) compiles a small generated source into the
# target that holds the same string table ("040904E4", "FileVersion") as a
# marked block of bytes; ReadEmbeddedFileVersion (platform/EmbeddedVersion.h)
# finds it again in the executable file.
include_guard(GLOBAL)

# The reader, standard library only.
add_library(keyloom_embedded_version STATIC ${CMAKE_SOURCE_DIR}/platform/EmbeddedVersion.cpp)
target_include_directories(keyloom_embedded_version PUBLIC ${CMAKE_SOURCE_DIR}/platform)

# keyloom_embed_version(target [FILE_VERSION text])
#   FILE_VERSION defaults to the project's version.
function(keyloom_embed_version target)
  cmake_parse_arguments(V "" "FILE_VERSION" "" ${ARGN})
  if(NOT DEFINED V_FILE_VERSION)
    set(V_FILE_VERSION ${PROJECT_VERSION})
  endif()
  if(WIN32)
    return()  # the version resource does this job on Windows
  endif()
  set(KEYLOOM_FILE_VERSION ${V_FILE_VERSION})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_VersionTable.cpp)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbeddedVersionTable.cpp.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
