# The manifest and version information every program carries, from one template each and the
# project's version.
#
# warden_program_resources(<target> RC <script.rc> NAME <ProductName> DESCRIPTION <text>
#                          [DEPENDS <file>...])
# configures <target>'s manifest and program_info.h into its own folder of the build tree, where
# <script.rc> (which includes shared/win32/program_resources.rc) finds them.
function(warden_program_resources target)
  cmake_parse_arguments(ARG "" "RC;NAME;DESCRIPTION" "DEPENDS" ${ARGN})
  set(WARDEN_PROGRAM_NAME ${ARG_NAME})
  set(WARDEN_PROGRAM_DESCRIPTION ${ARG_DESCRIPTION})
  set(WARDEN_INTERNAL_NAME ${target})
  set(WARDEN_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(WARDEN_VERSION_NUMBERS_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(templates ${PROJECT_SOURCE_DIR}/shared/win32)
  configure_file(${templates}/program.manifest.in ${folder}/program.manifest @ONLY)
  configure_file(${templates}/program_info.h.in ${folder}/program_info.h @ONLY)
  target_sources(${target} PRIVATE ${ARG_RC})
  target_include_directories(${target} PRIVATE ${folder} ${templates})
  # windres reports no dependencies of its own.
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS
    "${folder}/program.manifest;${folder}/program_info.h;${templates}/program_resources.rc;${ARG_DEPENDS}")
endfunction()
