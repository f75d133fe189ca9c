# The programs' icon, manifest and version resource, compiled by windres.
# The icon is made from the program's PNG icons as the build needs it.
enable_language(RC)
find_program(VELLOMAR_ICOTOOL icotool REQUIRED)
set(VELLOMAR_ICON ${CMAKE_BINARY_DIR}/vellomar.ico)
set(VELLOMAR_ICON_SIZES ${PROJECT_SOURCE_DIR}/resources/icons/vellomar-48.png
  ${PROJECT_SOURCE_DIR}/resources/icons/vellomar-128.png)
add_custom_command(OUTPUT ${VELLOMAR_ICON}
  COMMAND ${VELLOMAR_ICOTOOL} -c -o ${VELLOMAR_ICON} ${VELLOMAR_ICON_SIZES}
  DEPENDS ${VELLOMAR_ICON_SIZES} VERBATIM)

# Windows versions have four numbers: 0.1 is 0.1.0.0.
set(VELLOMAR_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
if(PROJECT_VERSION_PATCH)
  set(VELLOMAR_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
endif()
string(REPLACE "." "," VELLOMAR_VERSION_COMMAS ${VELLOMAR_FILE_VERSION})
set(VELLOMAR_MANIFEST ${CMAKE_BINARY_DIR}/vellomar.manifest)
configure_file(resources/windows/vellomar.manifest ${VELLOMAR_MANIFEST} @ONLY)

# Gives the program TARGET its resources, described to Explorer as DESCRIPTION.
function(vellomar_add_windows_resources VELLOMAR_RC_TARGET VELLOMAR_RC_DESCRIPTION)
  set(rc ${CMAKE_BINARY_DIR}/${VELLOMAR_RC_TARGET}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${VELLOMAR_ICON};${VELLOMAR_MANIFEST}")
  target_sources(${VELLOMAR_RC_TARGET} PRIVATE ${rc})
endfunction()
