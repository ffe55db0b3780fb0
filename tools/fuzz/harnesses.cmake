qx_add_fuzzer(fuzz_ini LIBS qx_settings)
qx_add_fuzzer(fuzz_contenttype LIBS qx_model)
qx_add_fuzzer(fuzz_records LIBS qx_model)
qx_add_fuzzer(fuzz_url LIBS qx_net)
