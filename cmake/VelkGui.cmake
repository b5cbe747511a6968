# Helpers for the GUI folders (librarian/, controls/, editors/, resources/).
#
# Each GUI folder holds its logic (plain C++, tested without a display) at the
# top and its thin wx layer in a `wx/` subfolder. The logic library builds in
# every configuration (so its tests also run in the sanitizer build); the wx
# library only with VELK_BUILD_GUI.

# velk_logic_library(<name> DEPS <targets...>): every .cpp of the folder, not
# its wx/ subfolder. A folder with no sources yet gives an INTERFACE library.
function(velk_logic_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# velk_wx_library(<name> DEPS <targets...>): every .cpp of the folder's wx/.
function(velk_wx_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/wx/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} velk::wx)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} velk::wx)
  endif()
endfunction()

# wx as an imported target (CMake 3.25's FindwxWidgets makes none).
macro(velk_find_wx)
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS core base)
  if(NOT TARGET velk::wx)
    add_library(velk::wx INTERFACE IMPORTED)
    set_target_properties(velk::wx PROPERTIES
      INTERFACE_INCLUDE_DIRECTORIES "${wxWidgets_INCLUDE_DIRS}"
      INTERFACE_COMPILE_DEFINITIONS "${wxWidgets_DEFINITIONS}"
      INTERFACE_LINK_LIBRARIES "${wxWidgets_LIBRARIES}")
    # wx-config's flags hold include paths and -pthread as one list.
    separate_arguments(_velk_wx_flags UNIX_COMMAND "${wxWidgets_CXX_FLAGS}")
    set_property(TARGET velk::wx PROPERTY INTERFACE_COMPILE_OPTIONS ${_velk_wx_flags})
  endif()
  # GTK itself, for the few things wx does not reach (a window manager's
  # close request to a disabled window) and for the GUI tests.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET GLOBAL gtk+-3.0)
endmacro()

# velk_gui_test(<target>): a gtest executable whose tests need a display. Each
# test process runs under its own Xvfb with a private HOME and XDG folders
# (tests/guitest/run-with-display.sh) and carries the CTest label `gui`.
function(velk_gui_test target)
  target_link_libraries(${target} PRIVATE velk_guitest)
  set_target_properties(${target} PROPERTIES
    CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/guitest/run-with-display.sh)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS gui TIMEOUT 120)
endfunction()

# velk_folder_tests(<folder>): the tests of a GUI folder. Its *.cpp are logic
# tests (no display) in test_<folder>; its gui/*.cpp are tests on real windows
# in test_<folder>_gui (with VELK_BUILD_GUI).
function(velk_folder_tests folder)
  file(GLOB logic_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(logic_sources)
    add_executable(test_${folder} ${logic_sources})
    target_link_libraries(test_${folder} PRIVATE velk_${folder} velk_simulator velk_testsupport
                          GTest::gtest_main GTest::gmock)
    gtest_discover_tests(test_${folder} DISCOVERY_TIMEOUT 60)
  endif()
  if(VELK_BUILD_GUI)
    file(GLOB gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/gui/*.cpp)
    if(gui_sources)
      add_executable(test_${folder}_gui ${gui_sources})
      target_link_libraries(test_${folder}_gui PRIVATE velk_${folder}_wx velk_simulator velk_testsupport
                            GTest::gmock)
      velk_gui_test(test_${folder}_gui)
    endif()
  endif()
endfunction()
