# The one folder both programs ship in, beside each other in the build tree and in the ZIP a
# Windows user downloads:
#   plugwarden.exe  bootwarden.exe  Lang\<Language>.ini + .bmp  Help\index.html
# `cmake --build --preset windows --target package` makes plugwarden-bootwarden-<version>-win64.zip.
file(GLOB WARDEN_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
warden_stage_files(warden_help ${WARDEN_PROGRAM_DIR}/Help ${WARDEN_HELP_FILES})
add_dependencies(plugwarden warden_help)
add_dependencies(bootwarden warden_help)

install(TARGETS plugwarden bootwarden RUNTIME DESTINATION .)
install(FILES ${WARDEN_LANGUAGE_PACK_FILES} DESTINATION Lang)
install(FILES ${WARDEN_HELP_FILES} DESTINATION Help)

set(CPACK_GENERATOR ZIP)
# A source package is git's job; should one be made, it leaves out build trees.
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
set(CPACK_PACKAGE_NAME plugwarden-bootwarden)
set(CPACK_PACKAGE_VENDOR Vexlin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME plugwarden-bootwarden-${PROJECT_VERSION}-win64)
# The files at the top of the ZIP: Windows' "Extract All" makes the folder itself.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
