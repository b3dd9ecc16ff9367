# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the tree.
if(SWATCHBOX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# With fuzzing on, all code gets libFuzzer's coverage instrumentation, so the
# fuzzer sees which paths of the core an input reaches. Only the fuzz targets
# link libFuzzer itself.
if(SWATCHBOX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "SWATCHBOX_FUZZ needs clang (configure with CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
