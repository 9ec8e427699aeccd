# The team file benchmark: 100,000 team items loaded beside as many own ones, and a one-line change.
if(TARGET testsupport)
    add_executable(team_bench ${CMAKE_CURRENT_LIST_DIR}/team_bench.cpp $<TARGET_OBJECTS:resources>)
    target_link_libraries(team_bench PRIVATE mainwnd testsupport sqlite3)
    target_compile_options(team_bench PRIVATE ${MIRELO_WARNINGS})
    # Its own folder: the sys.mdb, team file and settings file it writes meet no other program.
    set_target_properties(team_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/team)
    add_dependencies(benchmarks team_bench)
endif()
