# Header-only packages from Debian for the cross builds. Their CMake configs point at
# /usr/include, which must never reach a cross compiler (the host's C library headers
# would shadow the target's), so each package gets a config of its own over a directory
# that holds only its headers.
function(lvc_cross_header_package package header_dir config_dir)
  set(root ${CMAKE_BINARY_DIR}/cross-packages/${package})
  get_filename_component(header_name ${header_dir} NAME)
  file(MAKE_DIRECTORY ${root}/include)
  file(CREATE_LINK ${header_dir} ${root}/include/${header_name} SYMBOLIC)
  configure_file(${config_dir}/${package}ConfigVersion.cmake
                 ${root}/${package}ConfigVersion.cmake COPYONLY)
  file(WRITE ${root}/${package}Config.cmake
"if(NOT TARGET ${package}::${package})
  add_library(${package}::${package} INTERFACE IMPORTED)
  set_target_properties(${package}::${package} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES \"${root}/include\")
endif()
")
  set(${package}_DIR ${root} CACHE PATH "Config of ${package} for the cross build" FORCE)
endfunction()

# A header-only library without a CMake config (Debian's stb): an imported target named
# target over a directory that holds only header_dir.
function(lvc_cross_header_target target header_dir)
  get_filename_component(header_name ${header_dir} NAME)
  set(root ${CMAKE_BINARY_DIR}/cross-packages/${header_name}/include)
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${header_dir} ${root}/${header_name} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root})
endfunction()
