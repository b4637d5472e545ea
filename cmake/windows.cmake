# Windows build: the seven deliverables (as their issues add them), the Windows
# tests and the benchmarks, with mingw-w64. Every binary lands in bin/.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# The one version, for every binary's version resource (framework/version_info.rc).
configure_file(framework/quillon_version.h.in ${CMAKE_BINARY_DIR}/generated/quillon_version.h @ONLY)
string(APPEND CMAKE_RC_FLAGS " -I${CMAKE_SOURCE_DIR}/framework -I${CMAKE_BINARY_DIR}/generated")
set(QUILLON_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${QUILLON_BIN})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${QUILLON_BIN})

add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
add_compile_options(-Wall -Wextra -Wno-cast-function-type -Wno-missing-field-initializers)
# The folder must run with nothing else installed: the C++ runtime goes inside.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(framework_win STATIC
  ${PORTABLE_FRAMEWORK}
  framework/codepage_win32.cpp
  framework/menu_bar.cpp
  framework/printing.cpp
  framework/rich_edit_control.cpp
  framework/status_bar.cpp
  framework/text_case_win32.cpp
  framework/win32_delayed_message.cpp
  framework/win32_dialogs.cpp
  framework/win32_files.cpp
  framework/win32_startup_trace.cpp
  framework/win32_prompts.cpp
  framework/win32_registry.cpp
)
target_include_directories(framework_win PUBLIC framework)
target_link_libraries(framework_win PUBLIC comctl32 comdlg32 shell32 shlwapi ole32 advapi32 gdi32 user32 winmm)

# Filebox.dll: file dialogs, document kinds and per-extension rules.
add_library(Filebox SHARED filebox/filebox.cpp filebox/filebox_rules.cpp filebox/filebox.rc filebox/filebox.def)
set_target_properties(Filebox PROPERTIES PREFIX "" OUTPUT_NAME Filebox)
target_include_directories(Filebox PUBLIC filebox)
target_link_libraries(Filebox PRIVATE comdlg32 user32 kernel32)
# Only the .def file's exports, not every symbol of the static runtime.
target_link_options(Filebox PRIVATE -Wl,--exclude-all-symbols)
# The test programs load it from beside themselves, as Scrivo does.
add_custom_command(TARGET Filebox POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tests
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Filebox> ${CMAKE_BINARY_DIR}/tests/)

# The layers of Scrivo.exe, each seeing only the headers of the layers below it.
add_library(storage_win STATIC ${PORTABLE_STORAGE})
target_include_directories(storage_win PUBLIC storage)
target_link_libraries(storage_win PUBLIC framework_win)

add_library(document_win STATIC ${PORTABLE_DOCUMENT}
  document/case_dialog.cpp
  document/edit_form.cpp
  document/goto_dialog.cpp
  document/journal.cpp
  document/search_dialogs.cpp
)
target_include_directories(document_win PUBLIC document)
target_link_libraries(document_win PUBLIC storage_win Filebox)

find_program(QUILLON_HOST_CXX NAMES g++ c++ clang++ REQUIRED)
set(QUILLON_GENERATED ${CMAKE_BINARY_DIR}/generated)
# A tool built for the machine that builds (VARIABLE := its path) from the
# sources given (relative to the source folder), with the framework's and its
# own folder's headers.
function(quillon_host_tool variable name)
  set(tool ${CMAKE_BINARY_DIR}/host/${name})
  if(CMAKE_HOST_WIN32)
    string(APPEND tool .exe)
  endif()
  set(sources ${ARGN})
  list(TRANSFORM sources PREPEND ${CMAKE_SOURCE_DIR}/)
  list(GET sources 0 first)
  get_filename_component(folder ${first} DIRECTORY)
  add_custom_command(OUTPUT ${tool}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${QUILLON_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR}/framework -I${folder} ${sources} -o ${tool}
    DEPENDS ${sources}
    COMMENT "Host tool ${name}")
  set(${variable} ${tool} PARENT_SCOPE)
endfunction()
# The built-in formatting macros: their readable source turned into the stream
# Scrivo.exe carries as RCDATA 1, by the product's own writer built for the host.
quillon_host_tool(MACRO_SET_TOOL make_macro_set macros/make_macro_set.cpp macros/macro_source.cpp
  macros/macro_model.cpp framework/typed_stream.cpp framework/codepage.cpp framework/codepage_portable.cpp
  framework/codepage_tables.cpp)
add_custom_command(OUTPUT ${QUILLON_GENERATED}/format_macros.bin
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLON_GENERATED}
  COMMAND ${MACRO_SET_TOOL} ${CMAKE_SOURCE_DIR}/macros/format_macros.txt ${QUILLON_GENERATED}/format_macros.bin
  DEPENDS ${MACRO_SET_TOOL} ${CMAKE_SOURCE_DIR}/macros/format_macros.txt
  COMMENT "The formatting macro stream")
add_custom_target(format_macros DEPENDS ${QUILLON_GENERATED}/format_macros.bin)
# Every program built with Scrivo's string table carries the formatting macros too.
foreach(rc shell/scrivo.rc shell/scrivo_strings_only.rc)
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${QUILLON_GENERATED}/format_macros.bin)
  set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${QUILLON_GENERATED})
endforeach()

# The toolbar pictures: text pixel maps turned into bitmaps by a host tool.
quillon_host_tool(TOOLBAR_ART_TOOL make_toolbar_art toolbars/make_toolbar_art.cpp)
set(TOOLBAR_ART ${QUILLON_GENERATED}/toolbars)
set(TOOLBAR_BITMAPS)
set(TOOLBAR_ART_SOURCES ${CMAKE_SOURCE_DIR}/toolbars/toolbar_art.txt ${CMAKE_SOURCE_DIR}/templates/stencil_art.txt
    ${CMAKE_SOURCE_DIR}/macros/macros_art.txt)
foreach(id 101 102 103 104 105 106 107 108 109 110 111 112 113 114 coolbar 1001 1002 1003 1005
        6 7 8 9 10 7000 7001 7002 7003 7004 7050 7051 7052 7053 7054)
  list(APPEND TOOLBAR_BITMAPS ${TOOLBAR_ART}/${id}.bmp)
endforeach()
list(APPEND TOOLBAR_BITMAPS ${TOOLBAR_ART}/mainicon.ico)
add_custom_command(OUTPUT ${TOOLBAR_BITMAPS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TOOLBAR_ART}
  COMMAND ${TOOLBAR_ART_TOOL} ${TOOLBAR_ART} ${TOOLBAR_ART_SOURCES}
  DEPENDS ${TOOLBAR_ART_TOOL} ${TOOLBAR_ART_SOURCES}
  COMMENT "The toolbar pictures")
foreach(rc shell/scrivo.rc shell/scrivo_strings_only.rc toolbars/toolbars.rc templates/stencil.rc)
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${TOOLBAR_BITMAPS})
  set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${TOOLBAR_ART})
endforeach()

# Toolbars.dll: the toolbars' pictures behind GetToolbarImages (ordinal 1).
add_library(Toolbars SHARED toolbars/toolbars_library.cpp toolbars/toolbars.rc toolbars/toolbars.def)
set_target_properties(Toolbars PROPERTIES PREFIX "" OUTPUT_NAME Toolbars)
target_include_directories(Toolbars PRIVATE toolbars)
target_link_libraries(Toolbars PRIVATE comctl32 gdi32 user32 kernel32)
target_link_options(Toolbars PRIVATE -Wl,--exclude-all-symbols)
add_custom_command(TARGET Toolbars POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tests ${CMAKE_BINARY_DIR}/bench
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Toolbars> ${CMAKE_BINARY_DIR}/tests/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Toolbars> ${CMAKE_BINARY_DIR}/bench/)

# Template.dll: the built-in templates, their texts turned into Windows-1251
# with CR LF by a host tool.
quillon_host_tool(TEMPLATE_TEXT_TOOL make_template_text templates/make_template_text.cpp)
set(TEMPLATE_TEXTS ${QUILLON_GENERATED}/templates)
file(GLOB TEMPLATE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/templates/texts/*)
set(TEMPLATE_BINARIES)
foreach(source ${TEMPLATE_SOURCES})
  get_filename_component(name ${source} NAME)
  string(SUBSTRING ${name} 0 2 id)
  add_custom_command(OUTPUT ${TEMPLATE_TEXTS}/${id}.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TEMPLATE_TEXTS}
    COMMAND ${TEMPLATE_TEXT_TOOL} ${source} ${TEMPLATE_TEXTS}/${id}.bin
    DEPENDS ${TEMPLATE_TEXT_TOOL} ${source})
  list(APPEND TEMPLATE_BINARIES ${TEMPLATE_TEXTS}/${id}.bin)
endforeach()
set_property(SOURCE templates/template_library.rc APPEND PROPERTY OBJECT_DEPENDS ${TEMPLATE_BINARIES})
set_property(SOURCE templates/template_library.rc APPEND PROPERTY INCLUDE_DIRECTORIES ${TEMPLATE_TEXTS})
add_library(Template SHARED templates/template_library.cpp templates/template_library.rc)
set_target_properties(Template PROPERTIES PREFIX "" OUTPUT_NAME Template)
target_link_options(Template PRIVATE -Wl,--exclude-all-symbols)
add_custom_command(TARGET Template POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tests
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Template> ${CMAKE_BINARY_DIR}/tests/)

# Stencil.dll: the template list editor (EditTemplates, ordinal 1). It sees the
# list only through its interfaces and takes Filebox's two file dialog exports
# by ordinal, from an import library made for just that.
find_program(QUILLON_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
set(FILEBOX_BY_ORDINAL ${CMAKE_BINARY_DIR}/generated/libfilebox_by_ordinal.a)
add_custom_command(OUTPUT ${FILEBOX_BY_ORDINAL}
  COMMAND ${QUILLON_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/templates/filebox_by_ordinal.def -l ${FILEBOX_BY_ORDINAL}
  DEPENDS ${CMAKE_SOURCE_DIR}/templates/filebox_by_ordinal.def
  COMMENT "Filebox imports by ordinal")
add_custom_target(filebox_by_ordinal DEPENDS ${FILEBOX_BY_ORDINAL})
add_library(Stencil SHARED templates/stencil.cpp templates/stencil_model.cpp templates/stencil.rc templates/stencil.def)
set_target_properties(Stencil PROPERTIES PREFIX "" OUTPUT_NAME Stencil)
target_include_directories(Stencil PRIVATE templates filebox)
add_dependencies(Stencil filebox_by_ordinal Filebox)
target_link_libraries(Stencil PRIVATE framework_win ${FILEBOX_BY_ORDINAL} comctl32 gdi32 user32 advapi32 kernel32)
target_link_options(Stencil PRIVATE -Wl,--exclude-all-symbols)

add_library(templates_win STATIC ${PORTABLE_TEMPLATES})
target_include_directories(templates_win PUBLIC templates)
target_link_libraries(templates_win PUBLIC framework_win)

add_library(toolbars_win STATIC ${PORTABLE_TOOLBARS} toolbars/cool_bar.cpp)
target_include_directories(toolbars_win PUBLIC toolbars)
target_link_libraries(toolbars_win PUBLIC framework_win)

add_library(macros_win STATIC ${PORTABLE_MACROS}
  macros/macro_keyboard.cpp
  macros/macro_list_box.cpp
  macros/macro_picker.cpp
  macros/macros_dialog.cpp
)
target_include_directories(macros_win PUBLIC macros)
target_link_libraries(macros_win PUBLIC document_win)

add_library(windows_win STATIC ${PORTABLE_WINDOWS} windows/window_commands.cpp)
target_include_directories(windows_win PUBLIC windows)
target_link_libraries(windows_win PUBLIC document_win)

# Assist.dll: long names and the hand-off to the running editor (ordinal 1);
# Relay.exe: the launcher the shell starts for a file.
add_library(Assist SHARED ${PORTABLE_LAUNCHER} launcher/assist.cpp launcher/assist.rc launcher/assist.def)
set_target_properties(Assist PROPERTIES PREFIX "" OUTPUT_NAME Assist)
target_include_directories(Assist PRIVATE launcher)
target_link_libraries(Assist PRIVATE user32 advapi32 kernel32)
target_link_options(Assist PRIVATE -Wl,--exclude-all-symbols)
add_executable(Relay WIN32 launcher/relay.cpp launcher/relay.rc)
target_include_directories(Relay PRIVATE launcher)
add_dependencies(Relay Assist)

# The launcher's export types, for the editor's own hand-off.
add_library(launcher_api INTERFACE)
target_include_directories(launcher_api INTERFACE launcher)

add_library(scrivo_shell STATIC ${PORTABLE_SHELL}
  shell/dde_server.cpp
  shell/about_box.cpp
  shell/desktop.cpp
  shell/file_commands.cpp
  shell/file_menus.cpp
  shell/font_command.cpp
  shell/handoff.cpp
  shell/main_commands.cpp
  shell/main_form.cpp
  shell/message_loop.cpp
  shell/template_commands.cpp
)
target_include_directories(scrivo_shell PUBLIC shell PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(scrivo_shell PUBLIC macros_win windows_win toolbars_win templates_win version PRIVATE launcher_api)
add_dependencies(scrivo_shell Toolbars Template)

# Scrivo.exe, the editor.
add_executable(Scrivo WIN32 shell/main.cpp shell/scrivo.rc)
set_property(SOURCE shell/scrivo.rc APPEND PROPERTY OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/shell/scrivo_strings.rc;${CMAKE_SOURCE_DIR}/shell/scrivo.manifest")
target_link_options(Scrivo PRIVATE -municode)
target_link_libraries(Scrivo PRIVATE scrivo_shell)
# The debugging information (twenty times the program) goes beside the build,
# not into the program: the loader maps the whole image at every start.
find_program(QUILLON_OBJCOPY NAMES ${CMAKE_OBJCOPY} x86_64-w64-mingw32-objcopy objcopy)
if(QUILLON_OBJCOPY)
  add_custom_command(TARGET Scrivo POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/symbols
    COMMAND ${QUILLON_OBJCOPY} --only-keep-debug $<TARGET_FILE:Scrivo> ${CMAKE_BINARY_DIR}/symbols/Scrivo.exe.debug
    COMMAND ${QUILLON_OBJCOPY} --strip-debug --add-gnu-debuglink=${CMAKE_BINARY_DIR}/symbols/Scrivo.exe.debug
            $<TARGET_FILE:Scrivo>
    VERBATIM)
endif()

# GoogleTest from the system's sources, built by the same toolchain; on Windows
# (MSYS2) the installed package serves as well.
set(QUILLON_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build with the cross toolchain")
if(EXISTS ${QUILLON_GTEST_SOURCE}/CMakeLists.txt)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUILLON_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  add_library(gtest ALIAS GTest::gtest)
endif()

set(QUILLON_TESTS_DIR ${CMAKE_BINARY_DIR}/tests)
function(quillon_win_test name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLON_TESTS_DIR})
  target_include_directories(${name} PRIVATE tests ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE scrivo_shell gtest)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

quillon_win_test(win_framework_tests
  tests/contract/editor_contract.cpp
  tests/contract/editing_cases.cpp
  tests/contract/macro_cases.cpp
  tests/win/editor_contract_richedit.cpp
  tests/win/framework_win_test.cpp
  tests/win/rich_edit_win_test.cpp
  tests/win/test_strings.rc
  tests/win/codepage_win_test.cpp
  tests/win/registry_win_test.cpp
  tests/win/toolbar_images_test.cpp
  tests/win/template_library_test.cpp
  tests/win/test_main.cpp
)
quillon_win_test(win_editor_tests
  tests/win/editor_ui_test.cpp
  tests/win/editing_ui_test.cpp
  tests/win/journal_ui_test.cpp
  tests/win/macros_ui_test.cpp
  tests/win/windows_ui_test.cpp
  tests/win/desktop_ui_test.cpp
  tests/win/toolbars_ui_test.cpp
  tests/win/command_table_ui_test.cpp
  tests/win/templates_ui_test.cpp
  tests/win/stencil_ui_test.cpp
  tests/win/macros_dialog_ui_test.cpp
  tests/win/test_main.cpp
  shell/scrivo_strings_only.rc
)
# The template list editor is loaded from bin/, as a user's Stencil.dll would be.
add_dependencies(win_editor_tests Stencil)
quillon_win_test(win_process_tests
  tests/win/process_test.cpp
  tests/win/version_test.cpp
  tests/win/test_main.cpp
)
target_include_directories(win_process_tests PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(win_process_tests PRIVATE version)
add_dependencies(win_process_tests Scrivo Relay Assist Toolbars Template Stencil Filebox planted_library)
# The installed product, checked by scripts/dist-test.sh inside the prefix the
# installer ran in. The script is a test of its own where Wine runs it (it
# needs build/dist/, which `make test` builds first).
add_executable(win_dist_tests tests/win/dist_test.cpp tests/win/test_main.cpp)
set_target_properties(win_dist_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLON_TESTS_DIR})
target_include_directories(win_dist_tests PRIVATE tests/win)
target_link_libraries(win_dist_tests PRIVATE gtest shell32 advapi32 comctl32)
if(NOT CMAKE_HOST_WIN32)
  add_test(NAME dist_test COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/dist-test.sh)
  set_tests_properties(dist_test PROPERTIES TIMEOUT 300)
endif()
# A stranger's library for the process tests to plant in the current folder.
add_library(planted_library SHARED tests/win/planted_library.cpp)
set_target_properties(planted_library PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${QUILLON_TESTS_DIR})

# Benchmarks: built with everything, run on demand (make bench).
function(quillon_bench name library)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE ${library})
endfunction()
quillon_bench(load_bench framework_win bench/load_bench.cpp)
quillon_bench(process_bench framework_win bench/process_bench.cpp)
quillon_bench(startup_bench framework_win bench/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE psapi)
add_dependencies(startup_bench Scrivo Toolbars Template Stencil Filebox Assist)
add_dependencies(process_bench Scrivo Relay Assist)
foreach(bench editor editing switch macro desktop windows long_line coding journal)
  quillon_bench(${bench}_bench scrivo_shell bench/${bench}_bench.cpp shell/scrivo_strings_only.rc)
endforeach()
target_link_libraries(long_line_bench PRIVATE psapi)
# The benchmarks that make the main window meet it as a user does: its
# libraries beside them (a missing one would stop them at its question).
# Not Assist.dll: without it a size given on a benchmark's command line is not
# taken for a file to open.
add_dependencies(editor_bench Template Stencil)
add_custom_command(TARGET editor_bench POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Filebox> $<TARGET_FILE:Template>
          $<TARGET_FILE:Stencil> ${CMAKE_BINARY_DIR}/bench/)

# The dialogs in place for a screenshot (scripts/scenes.sh); not a test.
add_executable(ui_scenes WIN32 tests/win/ui_scenes.cpp shell/scrivo_strings_only.rc)
set_target_properties(ui_scenes PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLON_TESTS_DIR})
target_link_options(ui_scenes PRIVATE -municode)
target_link_libraries(ui_scenes PRIVATE scrivo_shell)
add_dependencies(ui_scenes Stencil)

add_executable(wine_warmup tests/win/warmup.cpp)
set_target_properties(wine_warmup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLON_TESTS_DIR})

quillon_win_test(win_filebox_tests
  tests/win/filebox_win_test.cpp
  tests/win/test_main.cpp
)
target_include_directories(win_filebox_tests PRIVATE filebox)
add_dependencies(win_filebox_tests Filebox)
find_program(QUILLON_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump)
add_test(NAME filebox_exports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/check_exports.sh
         ${QUILLON_OBJDUMP} $<TARGET_FILE:Filebox>
         OpenFiles=1 GetOpenFilesList=2 SaveFiles=3 GetDefaultFilter=4 GetFileParams=5 GetDefWordWrap=6 GetNewFileIDs=7)
add_test(NAME assist_exports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/check_exports.sh
         ${QUILLON_OBJDUMP} $<TARGET_FILE:Assist> ProcessFileList=1)
add_test(NAME toolbars_exports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/check_exports.sh
         ${QUILLON_OBJDUMP} $<TARGET_FILE:Toolbars> GetToolbarImages=1)
add_test(NAME stencil_exports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/check_exports.sh
         ${QUILLON_OBJDUMP} $<TARGET_FILE:Stencil> EditTemplates=1)
