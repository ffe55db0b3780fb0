qx_add_fuzzer(fuzz_url LIBS qx_net)
