# Runs the fuzzer for a bounded time over a fresh copy of the seed corpus.
file(REMOVE_RECURSE ${CORPUS})
file(COPY ${SEEDS}/ DESTINATION ${CORPUS})
execute_process(
    COMMAND ${FUZZER} -max_total_time=20 -rss_limit_mb=1024 -max_len=4096 -artifact_prefix=${CORPUS}/../ ${CORPUS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fuzz_stored_picture failed with ${result}")
endif()
