# A source listed but not (yet) on disk is left out with a warning, so one
# folder in the middle of a change does not stop the others from building.
function(morva_existing_sources out)
  set(found)
  foreach(src ${ARGN})
    if(IS_ABSOLUTE ${src})
      set(path ${src})
    else()
      set(path ${CMAKE_CURRENT_SOURCE_DIR}/${src})
    endif()
    if(EXISTS ${path})
      list(APPEND found ${src})
    else()
      message(WARNING "${src}: not found, left out of the build")
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# morva_library(<name> SOURCES ... DEPS ...)
# One folder, one static library target named morva_<name>. Include paths are
# the repository root, so code includes "forms/form.h", "core/numbers.h".
function(morva_library name)
  cmake_parse_arguments(ML "" "" "SOURCES;DEPS" ${ARGN})
  morva_existing_sources(ML_SOURCES ${ML_SOURCES})
  add_library(morva_${name} STATIC ${ML_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  target_include_directories(morva_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ML_DEPS)
    target_link_libraries(morva_${name} PUBLIC ${ML_DEPS})
  endif()
  morva_header_check(${name} ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# Every header compiles on its own: one tiny translation unit per header,
# collected in an object library that is part of the default build.
function(morva_header_check name dir)
  file(GLOB headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${dir}/*.h)
  if(NOT headers)
    return()
  endif()
  set(units)
  foreach(h ${headers})
    string(MAKE_C_IDENTIFIER ${h} id)
    set(unit ${CMAKE_CURRENT_BINARY_DIR}/header_check/${id}.cpp)
    file(CONFIGURE OUTPUT ${unit} CONTENT "#include \"${h}\"\n")
    list(APPEND units ${unit})
  endforeach()
  add_library(morva_${name}_headers OBJECT ${units})
  target_include_directories(morva_${name}_headers PRIVATE ${PROJECT_SOURCE_DIR})
  get_target_property(type morva_${name} TYPE)
  target_link_libraries(morva_${name}_headers PRIVATE morva_${name})
endfunction()

# morva_test(<name> SOURCES ... LIBS ... [LABELS ...]): a GoogleTest program
# run by CTest. The label "threads" marks tests that the TSan build runs.
function(morva_test name)
  cmake_parse_arguments(MT "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  morva_existing_sources(MT_SOURCES ${MT_SOURCES})
  if(NOT MT_SOURCES)
    return()
  endif()
  add_executable(${name} ${MT_SOURCES})
  target_link_libraries(${name} PRIVATE ${MT_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Where the built program folder (binaries + demo files) and the sources are.
  target_compile_definitions(${name} PRIVATE MORVA_TEST_PROGRAM_FOLDER="${MORVA_PROGRAM_FOLDER}/"
                                             MORVA_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}/")
  if(MORVA_SANITIZE OR MORVA_TSAN)
    target_compile_definitions(${name} PRIVATE MORVA_SANITIZED_BUILD=1)
  endif()
  set(props TIMEOUT 120)
  if(MT_LABELS)
    list(APPEND props LABELS "${MT_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES ${props})
endfunction()
