qx_add_fuzzer(fuzz_contenttype LIBS qx_model)
qx_add_fuzzer(fuzz_records LIBS qx_model)
qx_add_fuzzer(fuzz_url LIBS qx_net)
qx_add_fuzzer(fuzz_document LIBS qx_model)
