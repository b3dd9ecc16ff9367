# Warnings are errors on every toolchain.
function(swatchbox_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
