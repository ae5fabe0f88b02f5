# The one folder both programs ship in, beside each other in the build tree:
#   plugwarden.exe  bootwarden.exe  Lang\<Language>.ini + .bmp  Help\index.html
file(GLOB WARDEN_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
warden_stage_files(warden_help ${WARDEN_PROGRAM_DIR}/Help ${WARDEN_HELP_FILES})
add_dependencies(plugwarden warden_help)
add_dependencies(bootwarden warden_help)
