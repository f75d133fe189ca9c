# vellomar-cli.exe's icon, manifest and version resource, compiled by windres.
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
configure_file(resources/windows/vellomar-cli.rc.in ${CMAKE_BINARY_DIR}/vellomar-cli.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/vellomar-cli.rc PROPERTIES
  OBJECT_DEPENDS "${VELLOMAR_ICON};${VELLOMAR_MANIFEST}")
target_sources(vellomar-cli PRIVATE ${CMAKE_BINARY_DIR}/vellomar-cli.rc)
