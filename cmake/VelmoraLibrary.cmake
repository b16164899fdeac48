# velmora_library(<name> [DEPS <targets>...])
# Builds the static library velmora_<name> from every .cpp of the calling folder,
# with src/ on the include path, so new source files need no edit here.
function(velmora_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(velmora_${name} STATIC ${sources})
  target_include_directories(velmora_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(velmora_${name} PUBLIC ${ARG_DEPS})
endfunction()

# velmora_test(<name> [DEPS <targets>...] [LABELS <labels>...] [TIMEOUT <seconds>])
# Builds one test program from every .cpp of the calling folder and registers
# each GoogleTest case with CTest. Tests run headless, in a scratch folder of their own,
# without sound unless labelled audio-device.
function(velmora_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(work ${CMAKE_BINARY_DIR}/testwork/${name})
  file(MAKE_DIRECTORY ${work})
  # Test programs sit in bin/ beside the program, so they find the built share
  # folder as the program does (vb::ShareFolderPath()).
  set(env "QT_QPA_PLATFORM=offscreen")
  # The multimedia control plays on its silent clock, but in tests labelled audio-device.
  set(props "")
  if(NOT "audio-device" IN_LIST ARG_LABELS)
    list(APPEND env "VELMORA_AUDIO_OUTPUT=silent")
  else()
    # One sink and its monitor: a test that records what it played must hear it alone.
    list(APPEND props RESOURCE_LOCK audio-device)
  endif()
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  # Longer than the presets' limit for each test, for programs whose tests run long.
  if(ARG_TIMEOUT)
    list(APPEND props TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(test_${name}
    WORKING_DIRECTORY ${work}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
  # gtest_discover_tests splits a list-valued property into separate arguments, so
  # the environment is set by a script that CTest runs after adding the tests.
  set(env_script ${CMAKE_CURRENT_BINARY_DIR}/test_${name}_environment.cmake)
  file(WRITE ${env_script}
    "if(DEFINED test_${name}_TESTS)\n"
    "  set_tests_properties(\${test_${name}_TESTS} PROPERTIES ENVIRONMENT [==[${env}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_script})
endfunction()
