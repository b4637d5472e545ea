# Native build: the portable logic and its tests, with the host compiler.
find_package(GTest REQUIRED)
add_compile_options(-Wall -Wextra)

add_library(framework_portable STATIC
  ${PORTABLE_FRAMEWORK}
  framework/codepage_portable.cpp
  framework/codepage_tables.cpp
  framework/platform_portable.cpp
  framework/text_case_portable.cpp
  filebox/filebox_rules.cpp
  ${PORTABLE_SCRIVO}
)
target_include_directories(framework_portable PUBLIC framework filebox document shell storage)

add_executable(native_tests
  tests/contract/editor_contract.cpp
  tests/contract/editing_cases.cpp
  tests/native/codepage_test.cpp
  tests/native/command_states_test.cpp
  tests/native/document_rules_test.cpp
  tests/native/editing_rules_test.cpp
  tests/native/editor_contract_memory.cpp
  tests/native/filebox_rules_test.cpp
  tests/native/line_breaks_test.cpp
  tests/native/prompts_test.cpp
  tests/native/registry_test.cpp
  tests/native/storage_test.cpp
  tests/native/text_format_test.cpp
)
target_include_directories(native_tests PRIVATE tests)
target_link_libraries(native_tests PRIVATE framework_portable GTest::gtest GTest::gtest_main)
add_test(NAME native_tests COMMAND native_tests)
