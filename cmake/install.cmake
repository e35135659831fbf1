# The installed tree. The plug-in, its Qt module, the camera and conversion libraries, the
# real-bus modules and the tools lie side by side in one directory, as in the build tree:
# the plug-in loads its modules from its own directory, the tools load the plug-in from
# theirs, and each library finds its neighbours through a run path of $ORIGIN, so nothing
# needs LD_LIBRARY_PATH. On Linux that directory is lib/<multiarch>/lorvenacam and <bindir>
# holds links to the tools; on Windows the DLLs, programs and documents lie at the top of
# the tree.
#
# Components, one package each: plugin (the plug-in, the simulated bus, the conversions,
# lvcgrab, the header and the documents), qt (the dialog's Qt module and lvcview), and one
# per real bus. Targets that another branch adds join once they exist.
include(GNUInstallDirs)

if(WIN32)
  set(LVC_INSTALL_DIR .)
  set(LVC_DOC_DIR .)
  set(LVC_COPYRIGHT_FILE COPYRIGHT.txt)
else()
  if(CMAKE_LIBRARY_ARCHITECTURE)
    # Debian's place for an architecture's private libraries: lib/x86_64-linux-gnu/lorvenacam.
    set(LVC_INSTALL_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/lorvenacam)
  else()
    set(LVC_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/lorvenacam)
  endif()
  set(LVC_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/lorvenacam)
  set(LVC_COPYRIGHT_FILE copyright)
endif()

# The components that received something, for the packaging.
set(LVC_INSTALL_COMPONENTS "")
# Builds what the installation takes and nothing else (no tests): scripts/package.sh.
add_custom_target(installed_targets)

# Installs the targets that exist into the shared directory as part of component. A
# Windows DLL's import library is left out: hosts load the plug-in by its exports.
function(lvc_install_beside component)
  foreach(target IN LISTS ARGN)
    if(NOT TARGET ${target})
      continue()
    endif()
    if(NOT WIN32)
      set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endif()
    add_dependencies(installed_targets ${target})
    install(TARGETS ${target}
            RUNTIME DESTINATION ${LVC_INSTALL_DIR} COMPONENT ${component}
            LIBRARY DESTINATION ${LVC_INSTALL_DIR} COMPONENT ${component}
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT import_libraries
                    EXCLUDE_FROM_ALL)
    set(installed ${LVC_INSTALL_COMPONENTS} ${component})
    list(REMOVE_DUPLICATES installed)
    set(LVC_INSTALL_COMPONENTS ${installed} PARENT_SCOPE)
  endforeach()
endfunction()

# Compresses source into output as Debian ships documents (gzip -9n), again whenever the
# source changes.
function(lvc_gzip source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  get_filename_component(directory ${output} DIRECTORY)
  file(MAKE_DIRECTORY ${directory})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# Puts a program of the shared directory on the path: a relative link in <bindir>, and its
# manual page docs/<program>.1 when there is one. The program still finds the plug-in
# beside itself, since it reads its own path with the links resolved.
function(lvc_link_program component target)
  if(WIN32 OR NOT TARGET ${target})
    return()
  endif()
  # The path from one install directory to another: any common root will do.
  set(root /lvc-install-root)
  file(RELATIVE_PATH link_target ${root}/${CMAKE_INSTALL_BINDIR}
       ${root}/${LVC_INSTALL_DIR}/${target})
  set(link ${CMAKE_CURRENT_BINARY_DIR}/program-links/${target})
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/program-links)
  file(CREATE_LINK ${link_target} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})

  set(manual ${PROJECT_SOURCE_DIR}/docs/${target}.1)
  if(EXISTS ${manual})
    lvc_gzip(${manual} ${CMAKE_BINARY_DIR}/man/${target}.1.gz)
    install(FILES ${CMAKE_BINARY_DIR}/man/${target}.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
  endif()
endfunction()

lvc_install_beside(plugin lorvenacam fwcontrol fwtransform lvcgrab)
lvc_install_beside(qt lorvenacam_qt lvcview)
lvc_install_beside(aravis fwcontrol-aravis)
lvc_install_beside(dc1394 fwcontrol-dc1394)
lvc_link_program(plugin lvcgrab)
lvc_link_program(qt lvcview)

install(FILES ${PROJECT_SOURCE_DIR}/include/lorvenacam.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT plugin)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/sim-bus.md
        DESTINATION ${LVC_DOC_DIR} COMPONENT plugin)
install(FILES ${PROJECT_SOURCE_DIR}/COPYRIGHT DESTINATION ${LVC_DOC_DIR}
        RENAME ${LVC_COPYRIGHT_FILE} COMPONENT plugin)
