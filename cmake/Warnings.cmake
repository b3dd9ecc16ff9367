# -Wall -Wextra on every toolchain. SWATCHBOX_WERROR makes them errors; the
# test script and CI turn it on, while users' and packagers' builds stay free
# of one compiler version's opinions.
option(SWATCHBOX_WERROR "Treat compiler warnings as errors" OFF)

function(swatchbox_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(SWATCHBOX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
