# Warnings for the project's own targets.
function(lvc_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wformat=2
                                           -Wcast-align -Wnull-dereference)
  if(LVC_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
