qx_add_fuzzer(fuzz_ini LIBS qx_settings)
