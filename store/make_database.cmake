# Builds one item database file with the host sqlite3 tool, from the schema and optional rows.
#   cmake -DSQLITE3=<tool> -DSCHEMA=<schema.sql> [-DROWS=<rows.sql>] -DOUTPUT=<file> [-DKEEP_EXISTING=ON]
#         -P make_database.cmake
# With KEEP_EXISTING an existing file is never touched: the delivered sys.mdb may hold a user's items.
if(KEEP_EXISTING AND EXISTS "${OUTPUT}")
    execute_process(COMMAND "${SQLITE3}" -readonly "${OUTPUT}" "select count(*) from T_ITEM"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0)
        message(WARNING "${OUTPUT} is not an item database; it is left as it is")
    endif()
    return()
endif()

# Built aside and moved in place, so an interrupted build never leaves a half-made file.
set(partial "${OUTPUT}.partial")
file(REMOVE "${partial}" "${partial}-journal")
set(reads ".read \"${SCHEMA}\"")
if(ROWS)
    list(APPEND reads ".read \"${ROWS}\"")
endif()
execute_process(COMMAND "${SQLITE3}" -bail "${partial}" ${reads} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE "${partial}")
    message(FATAL_ERROR "sqlite3 could not build ${OUTPUT}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
