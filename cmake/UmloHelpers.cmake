# A GoogleTest executable registered with CTest; tests run in the build's bin folder
# so that they find the bundled data the way the programs do.
function(umlo_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    UMLO_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    UMLO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  include(GoogleTest)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin DISCOVERY_TIMEOUT 60)
endfunction()

# Copies the bundled data next to the programs (only the files that exist yet).
function(umlo_copy_data_files)
  foreach(f ${UMLO_DATA_FILES})
    if(EXISTS ${f})
      get_filename_component(n ${f} NAME)
      configure_file(${f} ${CMAKE_BINARY_DIR}/bin/${n} COPYONLY)
      # The licences are installed with the package's documentation.
      if(NOT n MATCHES "^LICENSE")
        install(FILES ${f} DESTINATION share/umlo)
      endif()
    endif()
  endforeach()
endfunction()
