# One warning policy for every target of ours (not for third-party code).
function(zv_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
    -Werror=return-type -Werror=uninitialized -Werror=format-security)
  if(ZV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
option(ZV_WERROR "Treat warnings as errors" ON)
