# The delete-and-undo benchmark: 300,000 items deleted and put back through the items dialog.
if(TARGET testsupport)
    add_executable(undo_bench ${CMAKE_CURRENT_LIST_DIR}/undo_bench.cpp $<TARGET_OBJECTS:resources>)
    target_link_libraries(undo_bench PRIVATE items testsupport sqlite3)
    target_compile_options(undo_bench PRIVATE ${MIRELO_WARNINGS})
    set_target_properties(undo_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/undo)
    add_dependencies(benchmarks undo_bench)
endif()
