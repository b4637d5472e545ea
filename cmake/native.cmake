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

add_library(storage_portable STATIC ${PORTABLE_STORAGE})
target_include_directories(storage_portable PUBLIC storage)
target_link_libraries(storage_portable PUBLIC framework_portable)

add_library(document_portable STATIC ${PORTABLE_DOCUMENT})
target_include_directories(document_portable PUBLIC document)
target_link_libraries(document_portable PUBLIC storage_portable)

add_library(macros_portable STATIC ${PORTABLE_MACROS})
target_include_directories(macros_portable PUBLIC macros)
target_link_libraries(macros_portable PUBLIC document_portable)

add_library(shell_portable STATIC ${PORTABLE_SHELL})
target_include_directories(shell_portable PUBLIC shell)
target_link_libraries(shell_portable PUBLIC macros_portable)

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
target_link_libraries(native_tests PRIVATE shell_portable filebox_portable GTest::gtest GTest::gtest_main)
add_test(NAME native_tests COMMAND native_tests)
