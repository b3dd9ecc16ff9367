# The Windows build of swatchbox-cli, run under Wine, and the native build
# export the demo packages with --format png; both must write the same files.
# The two builds may deflate with different libraries, so PNG files must hold
# the same pixels (ImageMagick's signature of them), other files the same bytes.
# cmake -DWINE_RUN=... -DWINDOWS_CLI=... -DNATIVE_CLI=... -DMAKE_PACKAGE=...
#       -DIDENTIFY=... -DWORK_DIR=... -DWINDOWS_ROOT=Z: -P SameFilesAsNative.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(package ${WORK_DIR}/packages)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${status}):\n${out}${err}")
  endif()
endfunction()

run(${WINE_RUN} ${MAKE_PACKAGE} ${WINDOWS_ROOT}${package})
run(${NATIVE_CLI} export --format png --out ${WORK_DIR}/native ${package})
run(${WINE_RUN} ${WINDOWS_CLI} export --format png --out ${WINDOWS_ROOT}${WORK_DIR}/windows
    ${WINDOWS_ROOT}${package})

file(GLOB_RECURSE native_files RELATIVE ${WORK_DIR}/native ${WORK_DIR}/native/*)
file(GLOB_RECURSE windows_files RELATIVE ${WORK_DIR}/windows ${WORK_DIR}/windows/*)
list(SORT native_files)
list(SORT windows_files)
if(NOT native_files STREQUAL windows_files)
  message(FATAL_ERROR "Different files:\nnative: ${native_files}\nwindows: ${windows_files}")
endif()
list(FILTER native_files INCLUDE REGEX "\\.PNG$")
list(LENGTH native_files count)
if(count LESS 10)
  message(FATAL_ERROR "Only ${count} PNG files were written")
endif()
function(pixels file into)
  execute_process(COMMAND ${IDENTIFY} -regard-warnings -format "%# %wx%h %z %[channels]" ${file}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${file} is no valid picture (${status}):\n${out}${err}")
  endif()
  set(${into} "${out}" PARENT_SCOPE)
endfunction()

foreach(file IN LISTS windows_files)
  if(file MATCHES "\\.PNG$")
    pixels(${WORK_DIR}/native/${file} native)
    pixels(${WORK_DIR}/windows/${file} windows)
    if(NOT native STREQUAL windows)
      message(FATAL_ERROR "${file} holds other pixels in the Windows build:\n${native}\n${windows}")
    endif()
    continue()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${WORK_DIR}/native/${file} ${WORK_DIR}/windows/${file} RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${file} differs between the native and the Windows build")
  endif()
endforeach()
message(STATUS "${count} PNG files are the same")
