# The search box benchmark: keystrokes in the real main window over 1,000 to 50,000 items.
if(TARGET testsupport)
    add_executable(filter_bench ${CMAKE_CURRENT_LIST_DIR}/filter_bench.cpp $<TARGET_OBJECTS:resources>)
    target_link_libraries(filter_bench PRIVATE mainwnd testsupport)
    target_compile_options(filter_bench PRIVATE ${MIRELO_WARNINGS})
    # Its own folder: the sys.mdb and settings file it writes beside itself meet no other program.
    set_target_properties(filter_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/filter)
    add_dependencies(benchmarks filter_bench)
endif()
