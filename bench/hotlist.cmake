# The hot list benchmark: the real main window over databases of 100 to a million items.
if(TARGET testsupport)
    add_executable(hotlist_bench ${CMAKE_CURRENT_LIST_DIR}/hotlist_bench.cpp
                  ${CMAKE_SOURCE_DIR}/tests/hotlist/mouse_input.cpp $<TARGET_OBJECTS:resources>)
    target_link_libraries(hotlist_bench PRIVATE mainwnd testsupport sqlite3 psapi)
    target_compile_options(hotlist_bench PRIVATE ${MIRELO_WARNINGS})
    # The item table's schema, as the test databases take it.
    target_include_directories(hotlist_bench PRIVATE ${CMAKE_BINARY_DIR}/tests/generated)
    # Its own folder: the sys.mdb and settings file it writes beside itself meet no other program.
    set_target_properties(hotlist_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/hotlist)
    add_dependencies(benchmarks hotlist_bench)
endif()
