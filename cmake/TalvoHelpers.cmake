# Shared build helpers: isolated tests, benchmarks and translation files.

# talvo_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest program, run by CTest through scripts/isolated-test so that it gets the
# offscreen platform and its own empty XDG_CONFIG_HOME and TMPDIR. Run by hand, it still
# starts from empty settings of its own (tests/CleanSettings.cpp).
function(talvo_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test talvo_test_settings ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
  target_compile_definitions(${name} PRIVATE
    TALVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TALVO_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    TALVO_BIN_DIR="${TALVO_BIN_DIR}")
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/isolated-test $<TARGET_FILE:${name}>)
  # Ample for the slowest program under the sanitizers on two busy cores (several
  # minutes); only a hang should ever reach it.
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 900)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

# talvo_add_bench(<name> SOURCES <files...> LIBS <targets...>)
# Benchmarks build with the project but are never run by CTest.
function(talvo_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench-bin)
endfunction()

# talvo_add_translations(<target> <qm base name> <program folder>)
# Every language's .qm is built from the shared texts (resources/translations/common)
# plus the program's own sources (resources/translations/<program>), each area in its
# own .ts file, so areas can be translated independently.
function(talvo_add_translations target qmBase program)
  set(outputs)
  foreach(lang en uk)
    file(GLOB ts_files CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/resources/translations/common/*_${lang}.ts
      ${CMAKE_SOURCE_DIR}/resources/translations/${program}/*_${lang}.ts)
    list(SORT ts_files)
    set(qm ${TALVO_BIN_DIR}/${qmBase}_${lang}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${TALVO_BIN_DIR}
      COMMAND Qt6::lrelease -silent ${ts_files} -qm ${qm}
      DEPENDS ${ts_files}
      VERBATIM)
    list(APPEND outputs ${qm})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

# talvo_add_logger_library(<name> LINKS <targets...>)
# One room of the logger: a static library of every header and source in the calling
# folder, which is its include folder. Forms are found by AUTOUIC in the logger's forms
# folder, then the shared one; listing them as sources too makes two rules for one header
# under Ninja.
function(talvo_add_logger_library name)
  cmake_parse_arguments(L "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  qt_add_library(${name} STATIC ${sources})
  set_property(TARGET ${name} PROPERTY AUTOUIC_SEARCH_PATHS
    ${CMAKE_SOURCE_DIR}/resources/forms/logger ${CMAKE_SOURCE_DIR}/resources/forms)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()
