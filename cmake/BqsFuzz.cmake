# Fuzz targets: one entry point per reader of outside bytes,
#
#   extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
#
# bqs_add_fuzz(<name> SOURCES <files...> LIBS <targets...>)
#
# - In every configuration: a ctest "fuzz_replay_<name>" feeds each file of
#   fuzz/corpus/<name>/ to the entry point once (a small replay main, any
#   compiler). A finding's input is added there so that it stays mended.
# - With BQS_FUZZ=ON and clang: the executable <name> is a libFuzzer binary
#   (-fsanitize=fuzzer,address,undefined); scripts/run-tests.sh runs each
#   one briefly on its corpus. The libraries of that build are instrumented
#   for coverage (see the top-level CMakeLists.txt).
#
# The names of all targets are written to <build>/fuzz-targets.txt by
# bqs_write_fuzz_list(), called once at the end of the top-level list file.
set(BQS_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR}/../fuzz)

function(bqs_add_fuzz name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  set(corpus ${BQS_FUZZ_DIR}/corpus/${name})
  if(NOT IS_DIRECTORY ${corpus})
    message(FATAL_ERROR "bqs_add_fuzz(${name}): no seed corpus at ${corpus}")
  endif()
  set_property(GLOBAL APPEND PROPERTY BQS_FUZZ_TARGETS ${name})
  if(BQS_FUZZ_ENGINE)
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # -runs=0 runs every input of the corpus once.
    add_test(NAME fuzz_replay_${name} COMMAND ${name} -runs=0 ${corpus})
  else()
    add_executable(${name} ${F_SOURCES} ${BQS_FUZZ_DIR}/FuzzReplayMain.cpp)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    add_test(NAME fuzz_replay_${name} COMMAND ${name} ${corpus})
  endif()
  set_tests_properties(fuzz_replay_${name} PROPERTIES TIMEOUT 300)
endfunction()

function(bqs_write_fuzz_list)
  get_property(names GLOBAL PROPERTY BQS_FUZZ_TARGETS)
  list(JOIN names "\n" text)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "${text}\n")
endfunction()
