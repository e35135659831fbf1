# Packages from the installed tree (cmake/install.cmake). On Linux, one Debian package per
# component: lorvenacam, lorvenacam-qt, lorvenacam-aravis, lorvenacam-dc1394, each with the
# Depends that dpkg-shlibdeps finds plus the plug-in's own package, so that installing the
# plug-in pulls neither Qt nor GLib nor a bus library. On Windows, one zip of the DLLs and
# lvcgrab.exe. scripts/package.sh builds them.
set(LVC_MAINTAINER "Lorvenacam maintainers <maintainers@users.noreply.c-seed-bb7515e6.example>")

set(CPACK_PACKAGE_NAME lorvenacam)
set(CPACK_PACKAGE_VENDOR "Lorvenacam")
set(CPACK_PACKAGE_CONTACT "${LVC_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${LVC_INSTALL_COMPONENTS})

# A summary line, then the long description in lines of at most 80 characters.
string(CONCAT CPACK_COMPONENT_PLUGIN_DESCRIPTION
    "camera acquisition plug-in for machine-vision hosts\n"
    "A shared library with nineteen plain C exports for machine-vision hosts: it\n"
    "lists the IEEE 1394 (IIDC) cameras on the bus, opens them on ports, grabs\n"
    "frames and hands them row by row as 8-bit grey or 24-bit BGR, reads and\n"
    "writes camera properties and opens a configuration dialog.\n"
    "With its camera library over a simulated bus, its pixel conversions, the\n"
    "command-line host lvcgrab and the C header.")
string(CONCAT CPACK_COMPONENT_QT_DESCRIPTION
    "camera acquisition plug-in - Qt dialog and viewer\n"
    "The Qt 6 view of the plug-in's configuration dialog, which the plug-in loads\n"
    "on first use, and lvcview, a live viewer for commissioning cameras.")
string(CONCAT CPACK_COMPONENT_ARAVIS_DESCRIPTION
    "camera acquisition plug-in - Aravis bus\n"
    "The plug-in's camera library module for GenICam cameras through Aravis.")
string(CONCAT CPACK_COMPONENT_DC1394_DESCRIPTION
    "camera acquisition plug-in - libdc1394 bus\n"
    "The plug-in's camera library module for IIDC cameras through libdc1394.")
foreach(component qt aravis dc1394)
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_COMPONENT_${COMPONENT}_DEPENDS plugin)
endforeach()

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  set(CPACK_PACKAGE_FILE_NAME lorvenacam-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
  include(CPack)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LVC_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# A module of another package that links a library of the plug-in's package: dpkg-shlibdeps
# finds the library in the build tree, and the component dependency makes the Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PLUGIN_PACKAGE_NAME lorvenacam)

# Debian wants a copyright file and a changelog in every package's documentation folder.
string(TIMESTAMP LVC_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog
               @ONLY)
lvc_gzip(${CMAKE_BINARY_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
foreach(component IN LISTS LVC_INSTALL_COMPONENTS)
  string(TOUPPER ${component} COMPONENT)
  if(NOT DEFINED CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME)
    set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME lorvenacam-${component})
  endif()
  if(NOT component STREQUAL plugin)
    list(APPEND LVC_OPTIONAL_PACKAGES ${CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME})
  endif()
  set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME})
  install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${doc_dir}
          COMPONENT ${component})
  if(NOT doc_dir STREQUAL LVC_DOC_DIR)
    install(FILES ${PROJECT_SOURCE_DIR}/COPYRIGHT DESTINATION ${doc_dir} RENAME copyright
            COMPONENT ${component})
  endif()
endforeach()
# The plug-in grabs without them; it suggests the dialog and the real buses.
list(JOIN LVC_OPTIONAL_PACKAGES ", " CPACK_DEBIAN_PLUGIN_PACKAGE_SUGGESTS)
include(CPack)
