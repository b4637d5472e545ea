# Native build: the portable logic and its tests, with the host compiler.
find_package(GTest REQUIRED)
add_compile_options(-Wall -Wextra)

add_library(framework_portable STATIC
  ${PORTABLE_FRAMEWORK}
  framework/codepage_portable.cpp
  framework/codepage_tables.cpp
  framework/platform_portable.cpp
  framework/text_case_portable.cpp
)
target_include_directories(framework_portable PUBLIC framework)

add_library(filebox_portable STATIC filebox/filebox_rules.cpp)
target_include_directories(filebox_portable PUBLIC filebox)

# One library per layer: its folder's headers for the layers above it, and
# the layers below it that it may use.
function(quillon_portable_layer folder)
  cmake_parse_arguments(LAYER "" "" "SOURCES;USES" ${ARGN})
  add_library(${folder}_portable STATIC ${LAYER_SOURCES})
  target_include_directories(${folder}_portable PUBLIC ${folder})
  target_link_libraries(${folder}_portable PUBLIC ${LAYER_USES})
endfunction()
quillon_portable_layer(storage SOURCES ${PORTABLE_STORAGE} USES framework_portable)
quillon_portable_layer(document SOURCES ${PORTABLE_DOCUMENT} USES storage_portable)
quillon_portable_layer(macros SOURCES ${PORTABLE_MACROS} USES document_portable)
quillon_portable_layer(windows SOURCES ${PORTABLE_WINDOWS} USES document_portable)
quillon_portable_layer(launcher SOURCES ${PORTABLE_LAUNCHER})
quillon_portable_layer(toolbars SOURCES ${PORTABLE_TOOLBARS})
quillon_portable_layer(templates SOURCES ${PORTABLE_TEMPLATES} USES framework_portable)
quillon_portable_layer(shell SOURCES ${PORTABLE_SHELL} USES macros_portable windows_portable)

add_executable(native_tests
  tests/contract/editor_contract.cpp
  tests/contract/editing_cases.cpp
  tests/contract/macro_cases.cpp
  tests/native/chunked_text_test.cpp
  tests/native/codepage_test.cpp
  tests/native/command_states_test.cpp
  tests/native/desktop_test.cpp
  tests/native/document_rules_test.cpp
  tests/native/editing_rules_test.cpp
  tests/native/editor_contract_memory.cpp
  tests/native/filebox_rules_test.cpp
  tests/native/journal_entry_test.cpp
  tests/native/line_breaks_test.cpp
  tests/native/long_names_test.cpp
  tests/native/macro_test.cpp
  tests/native/macros_dialog_rules_test.cpp
  tests/native/prompts_test.cpp
  tests/native/registry_test.cpp
  tests/native/storage_test.cpp
  tests/native/stencil_model_test.cpp
  tests/native/template_list_test.cpp
  tests/native/text_coding_test.cpp
  tests/native/text_format_test.cpp
  tests/native/toolbar_model_test.cpp
  tests/native/window_list_test.cpp
)
target_include_directories(native_tests PRIVATE tests)
target_link_libraries(native_tests PRIVATE shell_portable filebox_portable launcher_portable toolbars_portable templates_portable GTest::gtest GTest::gtest_main)
target_compile_definitions(native_tests PRIVATE QUILLON_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME native_tests COMMAND native_tests)

# Fuzzing the readers of stored bytes with libFuzzer (clang): a short run is a
# test, `make fuzz` runs each target for ten million inputs.
add_executable(make_seeds tests/fuzz/make_seeds.cpp)
target_link_libraries(make_seeds PRIVATE macros_portable toolbars_portable templates_portable)
find_program(QUILLON_CLANG NAMES clang++ clang++-16 clang++-15 clang++-14)
if(QUILLON_CLANG)
  set(FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  function(quillon_fuzz_target name)
    set(sources ${ARGN})
    list(TRANSFORM sources PREPEND ${CMAKE_SOURCE_DIR}/)
    add_custom_command(OUTPUT ${FUZZ_DIR}/${name}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${FUZZ_DIR}
      COMMAND ${QUILLON_CLANG} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
              -I${CMAKE_SOURCE_DIR}/framework -I${CMAKE_SOURCE_DIR}/storage -I${CMAKE_SOURCE_DIR}/document
              -I${CMAKE_SOURCE_DIR}/macros -I${CMAKE_SOURCE_DIR}/toolbars -I${CMAKE_SOURCE_DIR}/templates ${sources} -o ${FUZZ_DIR}/${name}
      DEPENDS ${sources}
      COMMENT "Fuzz target ${name}")
    add_custom_target(${name}_build ALL DEPENDS ${FUZZ_DIR}/${name})
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -DFUZZER=${FUZZ_DIR}/${name} -DSEEDS=$<TARGET_FILE:make_seeds>
             -DCORPUS=${FUZZ_DIR}/${name}-corpus -DSECONDS=20 -P ${CMAKE_SOURCE_DIR}/tests/fuzz/run_fuzz.cmake)
    set_tests_properties(${name} PROPERTIES TIMEOUT 120)
  endfunction()
  quillon_fuzz_target(macro_set_fuzz tests/fuzz/macro_set_fuzz.cpp framework/typed_stream.cpp macros/macro_model.cpp)
  quillon_fuzz_target(desktop_fuzz tests/fuzz/desktop_fuzz.cpp storage/desktop_stream.cpp)
  quillon_fuzz_target(template_list_fuzz tests/fuzz/template_list_fuzz.cpp framework/typed_stream.cpp
                      templates/template_list.cpp)
  quillon_fuzz_target(band_record_fuzz tests/fuzz/band_record_fuzz.cpp toolbars/toolbar_model.cpp)
  quillon_fuzz_target(text_coding_fuzz tests/fuzz/text_coding_fuzz.cpp framework/text_coding.cpp framework/codepage.cpp
                      framework/codepage_portable.cpp framework/codepage_tables.cpp framework/text_lines.cpp)
  quillon_fuzz_target(journal_entry_fuzz tests/fuzz/journal_entry_fuzz.cpp storage/journal_entry.cpp
                      framework/text_coding.cpp framework/text_case.cpp framework/text_case_portable.cpp framework/codepage.cpp
                      framework/codepage_portable.cpp framework/codepage_tables.cpp framework/text_lines.cpp)
  quillon_fuzz_target(stencil_layout_fuzz tests/fuzz/stencil_layout_fuzz.cpp templates/stencil_model.cpp)
endif()
