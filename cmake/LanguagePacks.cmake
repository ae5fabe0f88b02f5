# The language packs of lang/ and the rule that puts them, as Lang\, beside an executable.
# Both programs read Lang\ from their own folder, so every folder that holds a program (and any
# test that reads the real packs beside itself) gets a copy.
file(GLOB WARDEN_LANGUAGE_PACK_FILES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/lang/*.ini ${PROJECT_SOURCE_DIR}/lang/*.bmp)

# Where the programs are built; plugwarden and bootwarden set their RUNTIME_OUTPUT_DIRECTORY to it
# and depend on warden_lang so that they run from the build tree with their packs.
set(WARDEN_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin)

# warden_stage_files(<target> <folder> <file>...): <target> copies the files into <folder>, again
# whenever one of them changes.
function(warden_stage_files target folder)
  set(outputs)
  foreach(source IN LISTS ARGN)
    get_filename_component(name ${source} NAME)
    set(output ${folder}/${name})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
      DEPENDS ${source}
      COMMENT "Staging ${name}" VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

# warden_stage_language_packs(<target> <folder>): <target> copies the packs to <folder>/Lang.
function(warden_stage_language_packs target folder)
  warden_stage_files(${target} ${folder}/Lang ${WARDEN_LANGUAGE_PACK_FILES})
endfunction()

if(WIN32)
  warden_stage_language_packs(warden_lang ${WARDEN_PROGRAM_DIR})
endif()
