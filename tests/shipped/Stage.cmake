# Lays out a fresh program folder, as cmake --install does for a user.
#   cmake -DBUILD=<build folder> -DSTAGE=<program folder> -P Stage.cmake
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${STAGE}"
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing into ${STAGE} failed")
endif()
