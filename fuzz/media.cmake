zv_fuzzer(fuzz_track_tags media/track_tags_fuzz.cpp)
