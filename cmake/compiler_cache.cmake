# LVC_USE_CCACHE: compile through ccache when it is installed (the dev preset asks for it);
# without ccache, or with a launcher already chosen, the build goes on as it is.
option(LVC_USE_CCACHE "Compile through ccache when it is installed" OFF)
if(LVC_USE_CCACHE)
  find_program(LVC_CCACHE ccache)
  foreach(language C CXX)
    if(LVC_CCACHE AND NOT CMAKE_${language}_COMPILER_LAUNCHER)
      set(CMAKE_${language}_COMPILER_LAUNCHER ${LVC_CCACHE})
    endif()
  endforeach()
endif()
