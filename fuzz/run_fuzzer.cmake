# Runs one fuzz target over its seed corpus and a fixed number of mutations
# with a fixed seed, in a fresh working corpus. Fails on any crash or finding.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${FUZZER} -runs=${RUNS} -max_len=${MAX_LEN} -seed=1 -rss_limit_mb=2048 -artifact_prefix=${WORK}/ ${WORK} ${CORPUS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); reproducer in ${WORK}")
endif()
