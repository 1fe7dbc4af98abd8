# The native (Linux) build: the portable logic with its unit tests.
if(RARUVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_subdirectory(tests/unit)

# The portal simulator's own tests (Python standard library, 127.0.0.1 only).
add_test(NAME portal_simulator
  COMMAND /usr/bin/python3 -B -m unittest -v test_portal
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tools/portal)
