zv_fuzzer(fuzz_language_file lang/language_file_fuzz.cpp)
zv_fuzzer(fuzz_name_table lang/name_table_fuzz.cpp)
