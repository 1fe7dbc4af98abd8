# The Windows build (MinGW-w64): the launcher, and its tests under wine64.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
# Everything static, so that the programs import system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)

# Resources, with the build options filled in. A resource object library is
# made per launcher version: the tests also build a newer launcher.
set(RARUVA_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(res/strings.rc.in ${RARUVA_GENERATED}/strings.rc @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
file(GLOB RARUVA_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
  ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.bmp
  ${CMAKE_SOURCE_DIR}/res/png/*.png)
set(RARUVA_RESOURCE_DEPENDS ${RARUVA_GENERATED}/strings.rc ${RARUVA_RESOURCE_FILES})

function(raruva_add_resources target version)
  string(REPLACE "." "," LAUNCHER_VERSION_COMMAS "${version}")
  set(LAUNCHER_VERSION "${version}")
  set(dir ${RARUVA_GENERATED}/${target})
  configure_file(${CMAKE_SOURCE_DIR}/res/version.rc.in ${dir}/version.rc @ONLY)
  add_library(${target} OBJECT ${CMAKE_SOURCE_DIR}/res/Raruva_Q7.rc)
  target_include_directories(${target} PRIVATE ${dir} ${RARUVA_GENERATED} ${CMAKE_SOURCE_DIR}/res)
  set(RARUVA_RESOURCE_DEPENDS ${RARUVA_RESOURCE_DEPENDS} ${dir}/version.rc PARENT_SCOPE)
endfunction()

raruva_add_resources(raruva_resources ${LAUNCHER_VERSION})
if(RARUVA_WINE_TESTS)
  # The launcher an update test downloads: the same program, one version on.
  set(RARUVA_NEWER_VERSION 1.0.2.0)
  raruva_add_resources(raruva_resources_newer ${RARUVA_NEWER_VERSION})
endif()
set_source_files_properties(res/Raruva_Q7.rc PROPERTIES OBJECT_DEPENDS "${RARUVA_RESOURCE_DEPENDS}")

# Our thin GUI framework.
add_library(raruva_framework STATIC
  framework/app.cpp
  framework/dialog.cpp
  framework/gdi.cpp
  framework/http_session.cpp
  framework/platform_error.cpp
  framework/resources.cpp
  framework/tooltip.cpp
  framework/window.cpp)
target_link_libraries(raruva_framework PUBLIC raruva_portable wininet comctl32 ole32 oleaut32 uuid shell32 user32 gdi32)

# The launcher's code, everything but the entry point; the tests link it too.
# Each subsystem folder lists its own sources in sources.cmake.
add_library(raruva_launcher STATIC)
foreach(subsystem core install update login mainwnd gamehost ui)
  include(${subsystem}/sources.cmake OPTIONAL)
endforeach()
target_link_libraries(raruva_launcher PUBLIC raruva_framework gdiplus wininet version advapi32 netapi32)

add_executable(Raruva_Q7 WIN32 core/main.cpp $<TARGET_OBJECTS:raruva_resources>)
target_link_libraries(Raruva_Q7 PRIVATE raruva_launcher)
target_link_options(Raruva_Q7 PRIVATE -municode -mwindows $<$<CONFIG:Release>:-s>)

if(RARUVA_WINE_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  add_subdirectory(tests/win)
endif()

# The executable's form: PE32 or PE32+, GUI subsystem, system DLLs only.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(RARUVA_PE_FORMAT pei-x86-64)
else()
  set(RARUVA_PE_FORMAT pei-i386)
endif()
add_test(NAME launcher_pe_form
  COMMAND ${CMAKE_SOURCE_DIR}/tests/support/check-pe ${CMAKE_OBJDUMP} $<TARGET_FILE:Raruva_Q7> ${RARUVA_PE_FORMAT})
