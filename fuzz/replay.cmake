# The fuzz target's properties, checked by ctest with any compiler: fuzz_replay runs the given
# files through fuzz_datafile.cpp without libFuzzer, and a breach aborts naming what broke.
add_executable(fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/fuzz_datafile.cpp ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
target_link_libraries(fuzz_replay PRIVATE pondra_archive)

file(GLOB fuzz_corpus CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/corpus/*)
file(GLOB fuzz_regressions CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/regressions/*)
list(FILTER fuzz_regressions EXCLUDE REGEX "/README\\.md$")

# A mode's prefixed regressions that still stop the fuzzer there, with the breach each must
# report. The others run clean in their mode: they guard a behaviour since mended.
# None at present: a save keeps every slot and row in use, so the keep- files that showed a
# drop pass too.

set(fuzz_sanitizers "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# In the default mode every file, seed or regression, must pass.
add_test(NAME fuzz_replay COMMAND fuzz_replay ${fuzz_corpus} ${fuzz_regressions})
set_tests_properties(fuzz_replay PROPERTIES ENVIRONMENT "${fuzz_sanitizers}")

foreach(mode IN ITEMS strict keep)
    string(TOUPPER ${mode} variable)
    set(clean)
    foreach(file IN LISTS fuzz_regressions)
        get_filename_component(name ${file} NAME)
        if(NOT name MATCHES "^${mode}-")
            continue()
        endif()
        if(DEFINED fuzz_breach_${name})
            get_filename_component(test ${file} NAME_WE)
            add_test(NAME fuzz_replay_${test} COMMAND fuzz_replay --expect-breach ${file})
            set_tests_properties(fuzz_replay_${test} PROPERTIES
                ENVIRONMENT "PONDRA_FUZZ_${variable}=1;${fuzz_sanitizers}"
                PASS_REGULAR_EXPRESSION "pondra fuzz: ${fuzz_breach_${name}}")
        else()
            list(APPEND clean ${file})
        endif()
    endforeach()
    if(clean)
        add_test(NAME fuzz_replay_${mode} COMMAND fuzz_replay ${clean})
        set_tests_properties(fuzz_replay_${mode} PROPERTIES ENVIRONMENT "PONDRA_FUZZ_${variable}=1;${fuzz_sanitizers}")
    endif()
endforeach()
