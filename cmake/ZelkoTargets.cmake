# Helpers that keep each folder's CMakeLists.txt to a few lines: a folder is one
# target, and its sources are the .cpp and .h files in it.

# zelko_library(NAME [LIBS ...]): a static library of the .cpp files in this folder.
function(zelko_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    # A folder of headers only (or one not written yet) is an interface target.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# zelko_test(NAME [X_DISPLAY] [QT_APPLICATION] [LIBS ...]): one GoogleTest
# program of the .cpp files in this folder; every test case becomes a CTest
# test. X_DISPLAY marks a program of real windows: its cases use the xcb
# platform and take turns on the one X display, since parallel cases would
# cover each other's pixels. QT_APPLICATION gives the program one QApplication
# for all its tests (tests/support/QtApplicationEnvironment.cpp).
function(zelko_test name)
  cmake_parse_arguments(ARG "X_DISPLAY;QT_APPLICATION" "" "LIBS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  if(ARG_QT_APPLICATION)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/tests/support/QtApplicationEnvironment.cpp)
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  if(ZELKO_SANITIZE AND ZELKO_JPEG_LIBRARY)
    # This compiler's LeakSanitizer crashes at exit walking the thread-local
    # storage of a library loaded while the program ran. The JPEG library
    # behind Qt's JPEG reader has such storage, so a test loads it at start.
    target_link_libraries(${name} PRIVATE "-Wl,--push-state,--no-as-needed" "${ZELKO_JPEG_LIBRARY}" "-Wl,--pop-state")
  endif()
  target_compile_definitions(${name} PRIVATE
    ZELKO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZELKO_PROGRAM_DIR="${ZELKO_PROGRAM_DIR}")
  # One variable only: GoogleTest's discovery splits a list of them apart.
  # The listing runs before the tests, every program of them, also on a
  # loaded machine, where a sanitized program may take more than the
  # default 5 s to start.
  if(ARG_X_DISPLAY)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb"
                 RESOURCE_LOCK x-display LABELS "x-display;${ARG_LABELS}")
  else()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${ARG_LABELS}")
  endif()
endfunction()

# zelko_bench(NAME [LIBS ...]): one Google Benchmark program of the .cpp files in this folder.
function(zelko_bench name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()

# zelko_program(LIB EXE OUTDIR [LIBS ...]): a program folder. Every .cpp but
# main.cpp forms the library LIB, so that tests drive the program's logic
# without starting it; main.cpp alone makes the executable EXE in OUTDIR.
function(zelko_program lib exe outdir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${lib} STATIC ${sources} ${headers})
    target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${lib} PUBLIC ${ARG_LIBS})
    set(scope PUBLIC)
  else()
    add_library(${lib} INTERFACE)
    target_include_directories(${lib} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${lib} INTERFACE ${ARG_LIBS})
    set(scope INTERFACE)
  endif()
  target_compile_definitions(${lib} ${scope}
    ZELKO_VERSION_MAJOR=${ZELKO_VERSION_MAJOR}
    ZELKO_VERSION_MINOR=${ZELKO_VERSION_MINOR}
    ZELKO_VERSION_PATCH=${ZELKO_VERSION_PATCH})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    add_executable(${exe} main.cpp)
    target_link_libraries(${exe} PRIVATE ${lib})
    set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${outdir})
  endif()
endfunction()
