# The Debian package: `cpack -G DEB` in the build folder packs whatever
# `cmake --install` installs, under /usr, with the documents Debian asks of
# every package (copyright, changelog) and the dependencies dpkg-shlibdeps finds.

# Who makes the package, as Debian's own tools take it from DEBFULLNAME and
# DEBEMAIL. Debian requires an address there; without one the project's commit
# identity stands in, the only contact the project has.
if(DEFINED ENV{DEBEMAIL})
  set(VELLOMAR_PACKAGER "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  set(VELLOMAR_PACKAGER "Vellomar maintainers <maintainers@users.noreply.c-seed-8f8b7a51.example>")
endif()
set(VELLOMAR_MAINTAINER ${VELLOMAR_PACKAGER} CACHE STRING "The package's Maintainer: name <address>")
set(VELLOMAR_METAINFO resources/com.quorvat.vellomar.metainfo.xml)
set(VELLOMAR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vellomar)
set(VELLOMAR_PACKAGE_FILES ${CMAKE_CURRENT_BINARY_DIR}/package)

# The AppStream file names the release, and the home page once there is one;
# the package and its changelog take them from there, and the release must be
# this version.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELLOMAR_METAINFO})
file(READ ${VELLOMAR_METAINFO} metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" release "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${VELLOMAR_METAINFO}: the first release is '${CMAKE_MATCH_1}', "
    "not this version, ${PROJECT_VERSION}")
endif()
set(VELLOMAR_RELEASE_DATE ${CMAKE_MATCH_2})
if(metainfo MATCHES "<url type=\"homepage\">([^<]*)</url>")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CMAKE_MATCH_1})
endif()

# Debian's changelog, dated in its own form and compressed to the full
# without a time stamp in its gzip header.
execute_process(COMMAND date -u -R -d "${VELLOMAR_RELEASE_DATE} 00:00"
  OUTPUT_VARIABLE VELLOMAR_RELEASE_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
configure_file(resources/debian/changelog.in ${VELLOMAR_PACKAGE_FILES}/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${VELLOMAR_PACKAGE_FILES}/changelog
  OUTPUT_FILE ${VELLOMAR_PACKAGE_FILES}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES resources/debian/copyright ${VELLOMAR_PACKAGE_FILES}/changelog.gz
  DESTINATION ${VELLOMAR_DOC_DIR})
install(FILES resources/debian/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vellomar)
if(VELLOMAR_BUILD_GUI)
  install(FILES ${VELLOMAR_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_PACKAGE_NAME vellomar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vellomar developers")
set(CPACK_PACKAGE_CONTACT ${VELLOMAR_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop disk-cleanup utility")
set(CPACK_PACKAGE_DESCRIPTION
  "Vellomar walks a drive and collects unwanted files (garbage and temporary
files, zero-byte files, the browsers' cached copies) or files worth reviewing
(videos, pictures, sound files, documents, logs and more) into one result list,
from which the files chosen are deleted or moved to a garbage bin.
.
The package holds the desktop program and vellomar-cli, its command-line
companion, which runs the same searches without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Stripped for the package, the programs lose their .comment section too (the
# compilers' version strings), as Debian's own do.
set(VELLOMAR_SHIPPED_PROGRAMS ${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:vellomar-cli>)
if(VELLOMAR_BUILD_GUI)
  list(APPEND VELLOMAR_SHIPPED_PROGRAMS ${VELLOMAR_PROGRAM_DIR}/$<TARGET_FILE_NAME:vellomar>)
endif()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program ${VELLOMAR_SHIPPED_PROGRAMS})
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vellomar_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELLOMAR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open starts the files and folders the program opens.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
