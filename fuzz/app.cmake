zv_fuzzer(fuzz_command_line app/command_line_fuzz.cpp)
