# Shared compile options and helpers for every target of the project.

add_library(nvr_options INTERFACE)
target_compile_options(nvr_options INTERFACE -Wall -Wextra -Wnon-virtual-dtor $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
target_compile_definitions(nvr_options INTERFACE
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_UP_TO=0x060000
  $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
if(NVR_WERROR)
  target_compile_options(nvr_options INTERFACE -Werror)
endif()
if(NVR_SANITIZE)
  # -O1 keeps the sanitized suite quick; line tables are enough for reports.
  target_compile_options(nvr_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined -O1 $<IF:$<CXX_COMPILER_ID:Clang>,-gline-tables-only,-g1>)
  target_link_options(nvr_options INTERFACE -fsanitize=address,undefined)
endif()
if(NVR_FUZZ)
  # Everything is instrumented for coverage; only the fuzz targets get
  # libFuzzer's main, so the same tree also builds and runs the tests.
  target_compile_options(nvr_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(nvr_options INTERFACE -fsanitize=address,undefined)
endif()
if(NVR_HARDEN)
  # What Debian's own packages are built with (dpkg-buildflags).
  target_compile_options(nvr_options INTERFACE -fstack-protector-strong -fstack-clash-protection -fcf-protection
    -Wformat -Werror=format-security)
  target_compile_definitions(nvr_options INTERFACE _FORTIFY_SOURCE=2)
  target_link_options(nvr_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
find_program(NVR_LLD ld.lld)
if(NVR_LLD)
  # lld links the many test programs several times faster than bfd.
  target_link_options(nvr_options INTERFACE -fuse-ld=lld)
endif()

# nvr_add_library(NAME SOURCES ... LIBS ...): a static library of one subsystem.
function(nvr_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC nvr_options ${ARG_LIBS})
endfunction()

# nvr_lab_prefix(VAR LABELS... [LAB_OPTIONS netlab options]): what a test
# command starts with: for a lab test, a network lab of its own, so lab tests
# run side by side.
function(nvr_lab_prefix var)
  cmake_parse_arguments(ARG "" "" "LAB_OPTIONS" ${ARGN})
  if("lab" IN_LIST ARG_UNPARSED_ARGUMENTS)
    set(${var} ${PROJECT_SOURCE_DIR}/scripts/netlab.sh ${ARG_LAB_OPTIONS} -- PARENT_SCOPE)
  else()
    set(${var} "" PARENT_SCOPE)
  endif()
endfunction()

# nvr_add_qtest(NAME SOURCES ... LIBS ... LABELS ... [TIMEOUT s] [ENV ...] [LAB_OPTIONS ...]):
# one QtTest executable, registered with ctest. Every test gets its own HOME
# under the build tree so nothing touches the real one, and reads no
# deployment settings of the machine.
function(nvr_add_qtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV;LAB_OPTIONS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE nvr_options Qt6::Test ${ARG_LIBS})
  nvr_lab_prefix(prefix ${ARG_LABELS} LAB_OPTIONS ${ARG_LAB_OPTIONS})
  add_test(NAME ${name} COMMAND ${prefix} $<TARGET_FILE:${name}>)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  set_tests_properties(${name} PROPERTIES
    LABELS "${ARG_LABELS}"
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;XDG_RUNTIME_DIR=${home}/run;NVRWIZARD_DEPLOYMENT_FILE=${home}/deployment.conf;NVR_BUILD_DIR=${CMAKE_BINARY_DIR};NVR_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ARG_ENV}")
  file(MAKE_DIRECTORY ${home} ${home}/run)
  file(CHMOD ${home}/run PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()
