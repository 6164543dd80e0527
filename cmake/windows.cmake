# The Windows build, cross-compiled with cmake/mingw-w64.cmake: kzv.exe on the Win32 API alone,
# beside the data folder and the stored pictures that a native build's generator made
# (KZV_NATIVE_BUILD, which scripts/windows builds first).
find_package(Threads REQUIRED)
set(KZV_NATIVE_BUILD "" CACHE PATH "A native build folder whose generator has made the data")
if(NOT EXISTS "${KZV_NATIVE_BUILD}/generated/stored_pictures.cpp")
  message(FATAL_ERROR "KZV_NATIVE_BUILD must name a native build folder whose data is made "
                      "(scripts/windows builds one)")
endif()
set(KZV_GENERATED_DIR ${KZV_NATIVE_BUILD}/generated)

add_library(kzv_stored_pictures STATIC ${KZV_GENERATED_DIR}/stored_pictures.cpp)
target_include_directories(kzv_stored_pictures PUBLIC ${PROJECT_SOURCE_DIR}/src)

# The icon of kzv.exe: the generator's pictures of it, one file of every size.
find_program(KZV_CONVERT convert REQUIRED)
set(KZV_ICON_PNGS)
foreach(size 16 32 48 256)
  list(APPEND KZV_ICON_PNGS ${KZV_GENERATED_DIR}/kzv-icon-${size}.png)
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/kzv.ico
                   COMMAND ${KZV_CONVERT} ${KZV_ICON_PNGS} ${CMAKE_BINARY_DIR}/kzv.ico
                   DEPENDS ${KZV_ICON_PNGS} COMMENT "Making the program's icon")
add_custom_target(kzv_icon DEPENDS ${CMAKE_BINARY_DIR}/kzv.ico)
configure_file(${PROJECT_SOURCE_DIR}/src/platform/win32/kzv.rc.in ${CMAKE_BINARY_DIR}/kzv.rc @ONLY)
enable_language(RC)

add_subdirectory(src)
# Stools.dll on Windows' own audio and MIDI calls (stools/win32/).
add_subdirectory(stools)
# The program's folder: kzv.exe, the data beside it.
add_custom_target(kzv_data ALL
                  COMMAND ${CMAKE_COMMAND} -E copy_directory ${KZV_NATIVE_BUILD}/data ${KZV_DATA_DIR}
                  COMMENT "Copying the data folder")
add_dependencies(kzv kzv_icon)

# The portable zip and the installer, in the folder above this build (build-windows/).
get_filename_component(KZV_PACKAGE_DIR ${CMAKE_BINARY_DIR} DIRECTORY)
add_custom_target(packages
                  COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${PROJECT_SOURCE_DIR}
                          -DVERSION=${PROJECT_VERSION} -DOUT=${KZV_PACKAGE_DIR}
                          -P ${PROJECT_SOURCE_DIR}/packaging/windows/package.cmake
                  DEPENDS kzv kzv_data kzv_icon VERBATIM)

# The Windows suite, run under Wine (scripts/windows --test; scripts/test runs it too), in a
# Wine prefix of the build folder's own, made by the first test.
enable_testing()
# kzv-sim of a sanitizer build (scripts/test) keeps its leak reports to itself.
set(KZV_WINE_ENV WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=0)
add_test(NAME WinePrefix COMMAND wineboot -i)
set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP wine_prefix ENVIRONMENT "${KZV_WINE_ENV}")

# The backend's unit tests, GoogleTest built for Windows from Debian's sources of it.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# tests/backend is the Linux build's test_backend too: the same services checked on both systems.
file(GLOB KZV_WIN32_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cpp
     ${PROJECT_SOURCE_DIR}/tests/backend/*.cpp)
add_executable(test_win32 ${KZV_WIN32_TESTS})
target_link_libraries(test_win32 PRIVATE kzv_platform GTest::gtest_main)
add_test(NAME Win32Backend COMMAND test_win32)
set_tests_properties(Win32Backend PROPERTIES FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${KZV_WINE_ENV}"
                     TIMEOUT 120)
# Stools.dll loaded by name, with an audio device and without one (tests/sound_windows/run.sh).
add_test(NAME StoolsDll COMMAND bash ${PROJECT_SOURCE_DIR}/tests/sound_windows/run.sh ${CMAKE_BINARY_DIR}/stools-alone)
set_tests_properties(StoolsDll PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
add_test(NAME WindowsPackages COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target packages)
set_tests_properties(WindowsPackages PROPERTIES FIXTURES_SETUP windows_packages)
add_test(NAME WindowsInstaller
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/windows/installer.sh ${KZV_PACKAGE_DIR} ${PROJECT_VERSION}
                 ${CMAKE_BINARY_DIR}/installer-work)
add_test(NAME WindowsRealWindow
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/windows/play_mission.sh ${CMAKE_BINARY_DIR}
                 ${KZV_NATIVE_BUILD} ${CMAKE_BINARY_DIR}/e2e-work)
set_tests_properties(WindowsInstaller PROPERTIES FIXTURES_REQUIRED windows_packages)
set_tests_properties(WindowsRealWindow PROPERTIES FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${KZV_WINE_ENV}")
# A record name composed through a Japanese input method (uim's XIM server and anthy).
add_test(NAME WindowsInputMethod
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/windows/ime_name.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/ime-work)
set_tests_properties(WindowsInputMethod PROPERTIES FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${KZV_WINE_ENV}")
set_tests_properties(WindowsInstaller WindowsRealWindow WindowsInputMethod PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE
                     TIMEOUT 600)
