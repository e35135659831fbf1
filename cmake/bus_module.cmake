# A camera bus loaded at run time, libfwcontrol-<name>.so, from the .cpp files of the
# calling folder: all but module_entry.cpp make the static fwcontrol_<name>_core, linked
# into the module and into the bus's tests; module_entry.cpp exports the factory. The
# further arguments are the libraries the bus is written against.
function(fwc_bus_module name)
  find_package(Threads REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/module_entry.cpp)
  add_library(fwcontrol_${name}_core STATIC ${sources})
  target_include_directories(fwcontrol_${name}_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(fwcontrol_${name}_core PUBLIC ${ARGN} fwcontrol-core Threads::Threads)
  lvc_warnings(fwcontrol_${name}_core)

  add_library(fwcontrol-${name} MODULE module_entry.cpp)
  set_target_properties(fwcontrol-${name} PROPERTIES PREFIX "lib")
  target_link_libraries(fwcontrol-${name} PRIVATE fwcontrol_${name}_core)
  target_link_options(fwcontrol-${name} PRIVATE "LINKER:--no-undefined")
  lvc_warnings(fwcontrol-${name})
  if(TARGET fwcontrol)
    add_dependencies(fwcontrol fwcontrol-${name})
  endif()
endfunction()
