# Native (Linux) build of the portable core: sanitizers on, for tests and fuzzers.
option(ZV_SANITIZE "Build with AddressSanitizer and UBSan" ON)
option(ZV_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(ZV_SANITIZE)
  set(ZV_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(zentracore PUBLIC ${ZV_SAN_FLAGS})
  target_link_options(zentracore PUBLIC ${ZV_SAN_FLAGS})
endif()
