# Runs the package fuzzer for a fixed time over a fresh copy of the seeds and
# fails on any crash, leak, sanitizer report, timeout or memory blow-up.
# cmake -DFUZZER=... -DSEED_TOOL=... -DREALPKGS_DIR=... -DDICTIONARY=...
#       -DWORK_DIR=... -DSECONDS=... -P RunFuzzer.cmake
set(corpus ${WORK_DIR}/corpus)
set(artifacts ${WORK_DIR}/artifacts)
file(REMOVE_RECURSE ${corpus})
file(MAKE_DIRECTORY ${corpus} ${artifacts})

if(IS_DIRECTORY "${REALPKGS_DIR}")
  file(GLOB real_packages "${REALPKGS_DIR}/*.u*")
  file(COPY ${real_packages} DESTINATION ${corpus} NO_SOURCE_PERMISSIONS)
endif()
execute_process(COMMAND ${SEED_TOOL} ${corpus} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SEED_TOOL} failed: ${status}")
endif()
file(GLOB seeds ${corpus}/*)
list(LENGTH seeds seed_count)
message(STATUS "Fuzzing for ${SECONDS} s from ${seed_count} seeds")

execute_process(
  COMMAND ${FUZZER} ${corpus}
    -max_total_time=${SECONDS}
    -rss_limit_mb=2048
    -max_len=1048576
    -timeout=10
    -dict=${DICTIONARY}
    -artifact_prefix=${artifacts}/
    -print_final_stats=1
  RESULT_VARIABLE status
)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The fuzzer found a failure (exit ${status}); the input is in ${artifacts}")
endif()
