# The import and items-dialog benchmark (needs the test support for its databases and modal steps).
if(TARGET testsupport)
    add_executable(import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp $<TARGET_OBJECTS:resources>)
    target_link_libraries(import_bench PRIVATE items testsupport sqlite3 psapi)
    target_compile_options(import_bench PRIVATE ${MIRELO_WARNINGS})
    set_target_properties(import_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    add_dependencies(benchmarks import_bench)
endif()
