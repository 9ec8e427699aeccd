# The items file benchmark: export and import of 100,000 items against their floors.
if(TARGET testsupport)
    add_executable(itemsfile_bench ${CMAKE_CURRENT_LIST_DIR}/itemsfile_bench.cpp $<TARGET_OBJECTS:resources>)
    target_link_libraries(itemsfile_bench PRIVATE items testsupport sqlite3)
    target_compile_options(itemsfile_bench PRIVATE ${MIRELO_WARNINGS})
    set_target_properties(itemsfile_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/itemsfile)
    add_dependencies(benchmarks itemsfile_bench)
endif()
