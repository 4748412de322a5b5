# One library per source folder. Sources are globbed so that adding a file to a
# folder needs no edit here; platform-specific subfolders (win32/, com/) are left
# out of the portable build.
function(tabulo_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  list(FILTER sources EXCLUDE REGEX "/(win32|com)/")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    target_compile_options(${name} PRIVATE -Wall -Wextra)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
  add_library(tabulo::${name} ALIAS ${name})
endfunction()

# One GoogleTest executable per test folder, from every *_test.cpp in it.
function(tabulo_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_compile_definitions(${name} PRIVATE
    TABULO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TABULO_CORPUS_DIR="${PROJECT_SOURCE_DIR}/../shared/corpus")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                       DISCOVERY_TIMEOUT 60)
endfunction()
