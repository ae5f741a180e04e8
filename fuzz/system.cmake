zv_fuzzer(fuzz_update_text system/update_text_fuzz.cpp)
